# Which folders of src/ a module may include, checked as part of building it.
#
# The layers of src/ from the bottom up. A folder may include its own folder and those of
# lower layers; above the skin, a module includes another program module only when it
# depends on it (directly or through its dependencies), so folders of one layer never
# include one another unless declared. "skin/..." and "platform/..." count as one layer
# each, whatever module of theirs a file is in.
set(SOMNARA_BASE_LAYERS platform framework skin)
set(SOMNARA_PROGRAM_LAYERS "power sound settings" routine app)
set(SOMNARA_LAYER_CHECK_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/CheckLayerIncludes.cmake)

# Every folder of src/ that names a layer, and the rank of each (1 at the bottom).
set(SOMNARA_LAYER_FOLDERS "")
set(_rank 0)
foreach(_layer ${SOMNARA_BASE_LAYERS} ${SOMNARA_PROGRAM_LAYERS})
  math(EXPR _rank "${_rank} + 1")
  string(REPLACE " " ";" _folders "${_layer}")
  foreach(_folder ${_folders})
    list(APPEND SOMNARA_LAYER_FOLDERS ${_folder})
    set(SOMNARA_LAYER_RANK_${_folder} ${_rank})
  endforeach()
endforeach()
list(LENGTH SOMNARA_BASE_LAYERS SOMNARA_BASE_LAYER_COUNT)

# The folders `target`, whose sources live under `source_dir`, may include: set as its
# SOMNARA_INCLUDE_FOLDERS property, which modules that depend on it take over. Empty for a
# target outside src/.
function(somnara_include_folders target source_dir)
  file(RELATIVE_PATH _relative ${PROJECT_SOURCE_DIR}/src ${source_dir})
  if(_relative MATCHES "^\\.\\.")
    return()
  endif()
  string(REGEX REPLACE "/.*" "" _own "${_relative}")
  if(NOT DEFINED SOMNARA_LAYER_RANK_${_own})
    message(FATAL_ERROR "src/${_own} has no layer: add it to cmake/SomnaraLayers.cmake")
  endif()
  set(_rank ${SOMNARA_LAYER_RANK_${_own}})
  set(_reached ${_own})
  foreach(_dep ${ARGN})
    if(TARGET ${_dep})
      get_target_property(_dep_folders ${_dep} SOMNARA_INCLUDE_FOLDERS)
      if(_dep_folders)
        list(APPEND _reached ${_dep_folders})
      endif()
    endif()
  endforeach()
  set(_allowed ${_own})
  foreach(_folder ${SOMNARA_LAYER_FOLDERS})
    set(_other ${SOMNARA_LAYER_RANK_${_folder}})
    if(_other LESS _rank)
      if(_other LESS_EQUAL SOMNARA_BASE_LAYER_COUNT OR _folder IN_LIST _reached)
        list(APPEND _allowed ${_folder})
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES _allowed)
  set_property(TARGET ${target} PROPERTY SOMNARA_INCLUDE_FOLDERS ${_allowed})
endfunction()

# Makes building `target` fail when a source or header in its folders includes a folder of
# src/ it may not use; `DEPS` are the targets it depends on. The folders are those of its
# sources and its own. Checked once per target.
function(somnara_check_layers target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(TARGET ${target}_layers)
    return()
  endif()
  get_target_property(_source_dir ${target} SOURCE_DIR)
  somnara_include_folders(${target} ${_source_dir} ${ARG_DEPS})
  get_target_property(_allowed ${target} SOMNARA_INCLUDE_FOLDERS)
  if(NOT _allowed)
    return()
  endif()
  set(_dirs ${_source_dir})
  get_target_property(_sources ${target} SOURCES)
  foreach(_source ${_sources})
    get_filename_component(_dir ${_source} DIRECTORY)
    if(IS_ABSOLUTE "${_dir}")
      list(APPEND _dirs ${_dir})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES _dirs)
  set(_patterns "")
  foreach(_dir ${_dirs})
    list(APPEND _patterns ${_dir}/*.h ${_dir}/*.cpp)
  endforeach()
  file(GLOB _files CONFIGURE_DEPENDS ${_patterns})

  string(REPLACE ";" "|" _files_arg "${_files}")
  string(REPLACE ";" "|" _layers_arg "${SOMNARA_LAYER_FOLDERS}")
  string(REPLACE ";" "|" _allowed_arg "${_allowed}")
  set(_stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layers)
  add_custom_command(OUTPUT ${_stamp}
    COMMAND ${CMAKE_COMMAND} -DMODULE=${target} -DFILES=${_files_arg} -DLAYERS=${_layers_arg}
      -DALLOWED=${_allowed_arg} -DSTAMP=${_stamp} -P ${SOMNARA_LAYER_CHECK_SCRIPT}
    DEPENDS ${_files} ${SOMNARA_LAYER_CHECK_SCRIPT}
    COMMENT "Checking the includes of ${target}" VERBATIM)
  add_custom_target(${target}_layers DEPENDS ${_stamp})
  add_dependencies(${target} ${target}_layers)
endfunction()
