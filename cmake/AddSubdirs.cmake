# Adds every immediate subfolder that has a CMakeLists.txt, so a new folder of tests,
# tools or benchmarks joins the build without editing a shared list.
function(somnara_add_all_subdirectories)
  file(GLOB _children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT _children)
  foreach(_child ${_children})
    get_filename_component(_dir ${_child} DIRECTORY)
    add_subdirectory(${_dir})
  endforeach()
endfunction()
