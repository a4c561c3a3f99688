# Shared by the mingw-w64 toolchain files: the caller sets SOMNARA_MINGW_TRIPLE and
# SOMNARA_MINGW_PROCESSOR first. The posix thread variants of Debian's compilers are used,
# because the program's threads are std::thread, which the win32 variants do not offer.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${SOMNARA_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${SOMNARA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SOMNARA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SOMNARA_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${SOMNARA_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${SOMNARA_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the target's own tree (and whatever the caller adds to
# CMAKE_PREFIX_PATH, such as the libraries built for the target); programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${SOMNARA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, winpthread) is linked in, so a program
# needs no DLL beside it that Windows does not have.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
