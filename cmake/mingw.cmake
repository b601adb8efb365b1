# Cross-compiling for Windows with Debian's mingw-w64 compilers.
# Set VEILMARK_MINGW_ARCH (i686 or x86_64) and VEILMARK_MINGW_THREADS
# (win32 or posix) before including this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VEILMARK_MINGW_ARCH})
set(_triple ${VEILMARK_MINGW_ARCH}-w64-mingw32)
set(CMAKE_CXX_COMPILER ${_triple}-g++-${VEILMARK_MINGW_THREADS})
set(CMAKE_C_COMPILER ${_triple}-gcc-${VEILMARK_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
