# Adds every immediate subfolder that has a CMakeLists.txt, so a new folder of tests,
# tools or benchmarks joins the build without editing a shared list. The folders named after
# EXCLUDE are left out (those of the other platform's backend).
function(somnara_add_all_subdirectories)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB _children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT _children)
  foreach(_child ${_children})
    get_filename_component(_dir ${_child} DIRECTORY)
    if(NOT _dir IN_LIST ARG_EXCLUDE)
      add_subdirectory(${_dir})
    endif()
  endforeach()
endfunction()
