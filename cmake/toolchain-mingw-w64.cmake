# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers
# (package g++-mingw-w64-x86-64), win32 thread model: the stub runs one
# thread, and this model never links the winpthreads library into it (the
# posix model gives a stub of the same size today, with one more dependency).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BINARIO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${BINARIO_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${BINARIO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BINARIO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
