# i686 Windows target, win32 thread model of the runtime.
set(VEILMARK_MINGW_ARCH i686)
set(VEILMARK_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
