# x86_64 Windows target, posix thread model of the runtime.
set(VEILMARK_MINGW_ARCH x86_64)
set(VEILMARK_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
