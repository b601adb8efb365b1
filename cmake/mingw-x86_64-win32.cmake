# x86_64 Windows target, win32 thread model of the runtime.
set(VEILMARK_MINGW_ARCH x86_64)
set(VEILMARK_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
