# 32-bit Windows with Debian's mingw-w64 (posix threads):
#   cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake
set(SOMNARA_MINGW_TRIPLE i686-w64-mingw32)
set(SOMNARA_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
