# Cross toolchain of the shipped Setup.exe: as i686-mingw.cmake, with the
# win32-thread compilers, whose runtime needs no winpthread.
set(MINGW_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/i686-mingw.cmake)
