# 64-bit Windows with Debian's mingw-w64 (posix threads):
#   cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-x86_64.cmake
set(SOMNARA_MINGW_TRIPLE x86_64-w64-mingw32)
set(SOMNARA_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
