include(${CMAKE_CURRENT_LIST_DIR}/SomnaraLayers.cmake)

# The desktop backend's library that holds its INI store on disk, for the tests of the
# program that keep their settings in real files.
if(WIN32)
  set(SOMNARA_DISK_PROFILES somnara_platform_windows)
else()
  set(SOMNARA_DISK_PROFILES somnara_linux_system)
endif()

# One static library per folder: every .cpp in the folder (not its subfolders, nor the
# files named after EXCLUDE) belongs to it, so adding a file never means editing a shared
# list. Building it checks that its folder includes only what its layer and DEPS allow.
function(somnara_module name)
  cmake_parse_arguments(ARG "" "" "DEPS;PKG;EXCLUDE" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(_excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM _sources ${CMAKE_CURRENT_SOURCE_DIR}/${_excluded})
  endforeach()
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} somnara_options)
    foreach(_pkg ${ARG_PKG})
      target_link_libraries(${name} PUBLIC PkgConfig::${_pkg})
    endforeach()
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} somnara_options)
  endif()
  somnara_check_layers(${name} DEPS ${ARG_DEPS})
endfunction()

# One test executable per folder of tests/, registered with CTest case by case. The files
# named after LINUX_ONLY test the Linux backend itself and are left out of a Windows build.
function(somnara_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS;LINUX_ONLY" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    foreach(_excluded ${ARG_LINUX_ONLY})
      list(REMOVE_ITEM _sources ${CMAKE_CURRENT_SOURCE_DIR}/${_excluded})
    endforeach()
  endif()
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main somnara_options)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(CMAKE_CROSSCOMPILING)
    # Each start of a program under an emulator (Wine) costs seconds: one test per program.
    # Compiled in a few large units (see SOMNARA_UNITY_TESTS in SomnaraWindows.cmake).
    if(SOMNARA_UNITY_TESTS AND NOT name IN_LIST SOMNARA_SEPARATE_TEST_UNITS)
      set_target_properties(${name} PROPERTIES UNITY_BUILD ON)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 900)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 300)
  endif()
endfunction()

# A libFuzzer target from the .cpp files of the current folder; its seeds live in corpus/.
function(somnara_fuzzer name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${_sources})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} somnara_options)
endfunction()
