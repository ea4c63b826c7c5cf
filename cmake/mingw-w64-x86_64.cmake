# Cross build for 64-bit Windows from Linux with MinGW-w64 (Debian:
# g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Everything is linked statically, so jasscribe.exe runs without any DLL
# beside it. The tests run under Wine (cmake/windows.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(JASSCRIBE_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model gives std::thread and std::mutex to GoogleTest and
# the standard library alike; its libwinpthread is linked in statically too.
set(CMAKE_C_COMPILER ${JASSCRIBE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${JASSCRIBE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${JASSCRIBE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${JASSCRIBE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
