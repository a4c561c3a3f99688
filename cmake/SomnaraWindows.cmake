# The libraries, test framework and test runner of a Windows build (a mingw-w64 toolchain
# from cmake/toolchains/). Nothing of the Linux desktop is looked for: the platform's
# windows/ backend takes the place of linux/.

# FreeType, libjpeg and giflib built for the target from Debian's sources, once per build
# folder; zlib is Debian's own mingw-w64 package.
set(SOMNARA_WINDOWS_DEPS ${CMAKE_BINARY_DIR}/deps CACHE PATH
  "Where scripts/build-windows-deps installs the target's libraries")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
  set(_arch i686)
else()
  set(_arch x86_64)
endif()
set(_triple ${_arch}-w64-mingw32)
if(NOT EXISTS ${SOMNARA_WINDOWS_DEPS}/lib/libfreetype.a OR
   NOT EXISTS ${SOMNARA_WINDOWS_DEPS}/lib/libjpeg.a OR
   NOT EXISTS ${SOMNARA_WINDOWS_DEPS}/lib/libgif.a)
  message(STATUS "Building FreeType, libjpeg-turbo and giflib for ${_triple} (once)")
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/build-windows-deps ${_arch} ${SOMNARA_WINDOWS_DEPS}
    RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "scripts/build-windows-deps failed")
  endif()
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${SOMNARA_WINDOWS_DEPS})
# Static libraries only, so the program imports nothing but the system's DLLs.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(ENV{PKG_CONFIG_LIBDIR} "${SOMNARA_WINDOWS_DEPS}/lib/pkgconfig:/usr/${_triple}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
find_library(GIF_LIBRARY gif REQUIRED)
add_library(gif_lib INTERFACE)
target_link_libraries(gif_lib INTERFACE ${GIF_LIBRARY})
target_include_directories(gif_lib INTERFACE ${SOMNARA_WINDOWS_DEPS}/include)

# Programs are started through Wine: the build's own generators, and the tests under CTest.
# Each build folder has a Wine prefix of its own, without the prompts for the .NET and
# HTML engines, quiet, and with the font files the text renderer looks for in the system's
# font folder.
find_program(SOMNARA_WINE NAMES wine wine64)
find_program(SOMNARA_WINESERVER NAMES wineserver)
set(SOMNARA_FONT_FILES "" CACHE INTERNAL "")
foreach(_pattern
    truetype/dejavu/DejaVuSans*.ttf truetype/dejavu/DejaVuSerif*.ttf
    truetype/liberation/LiberationSans-*.ttf truetype/liberation/LiberationSansNarrow-*.ttf
    truetype/wqy/wqy-microhei.ttc)
  file(GLOB _found /usr/share/fonts/${_pattern})
  list(APPEND SOMNARA_FONT_FILES ${_found})
endforeach()
list(SORT SOMNARA_FONT_FILES)
set(SOMNARA_FONT_FILES ${SOMNARA_FONT_FILES} CACHE INTERNAL "Font files the program carries")
set(SOMNARA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(SOMNARA_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
string(REPLACE ";" " " _font_args "${SOMNARA_FONT_FILES}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${SOMNARA_WINE_RUN} @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SOMNARA_WINE_RUN})
endif()

# Every test file parses GoogleTest's and the framework's large headers again, which costs
# the cross-compiler more than the tests themselves: a test program's files are compiled
# together, a few at a time. Programs whose files each keep helpers of the same names in
# their unnamed namespaces are compiled file by file.
option(SOMNARA_UNITY_TESTS "Compile each test program's files together, a few at a time" ON)
set(SOMNARA_SEPARATE_TEST_UNITS graphics_tests skin_frame_tests skin_menus_tests
  skin_styles_tests)

# Debian's GoogleTest sources, built for the target.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(_lib gtest gmock gtest_main gmock_main)
  if(NOT TARGET GTest::${_lib})
    add_library(GTest::${_lib} ALIAS ${_lib})
  endif()
endforeach()

# A build whose own programs cannot run here (the 32-bit one, where Wine runs only 64-bit
# programs) takes the generators that draw its pictures and write its skin and data files
# from a 64-bit build folder of the same sources: they write the same bytes.
set(SOMNARA_GENERATORS_FROM "" CACHE PATH
  "A Windows build folder whose generator programs this build runs instead of its own")

# Stands for the generator `name` of the current folder, taken from SOMNARA_GENERATORS_FROM.
function(somnara_imported_generator name)
  file(RELATIVE_PATH _relative ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  set(_exe ${SOMNARA_GENERATORS_FROM}/${_relative}/${name}.exe)
  set(_script ${CMAKE_CURRENT_BINARY_DIR}/${name}.sh)
  file(WRITE ${_script} "#!/bin/sh\nexec '${SOMNARA_GENERATORS_FROM}/wine-run' '${_exe}' \"$@\"\n")
  file(CHMOD ${_script} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  add_executable(${name} IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${_script})
endfunction()

# The program folder carries the font files the text renderer maps the program's face names
# to, since Windows has none of them.
add_custom_target(program_fonts ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/program/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${SOMNARA_FONT_FILES}
    ${PROJECT_BINARY_DIR}/program/fonts
  COMMENT "Copying the fonts into the program folder" VERBATIM)

# Generators that need programs of the build machine (the data file generator records the
# spoken guidance with espeak-ng) come from a build of the same sources for the build
# machine: scripts/run-windows-tests builds them in the plain build folder.
set(SOMNARA_HOST_BUILD "" CACHE PATH
  "A build folder for the build machine whose generators need the build machine's programs")

# Stands for the generator `name` of the current folder, taken from SOMNARA_HOST_BUILD.
function(somnara_host_generator name)
  file(RELATIVE_PATH _relative ${PROJECT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  set(_exe ${SOMNARA_HOST_BUILD}/${_relative}/${name})
  if(NOT SOMNARA_HOST_BUILD OR NOT EXISTS ${_exe})
    message(FATAL_ERROR "${name} is run from a build for this machine: build it there "
      "(ninja -C <folder> ${name}) and give the folder as -DSOMNARA_HOST_BUILD=<folder>")
  endif()
  add_executable(${name} IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${_exe})
endfunction()
