# Cross build of the Windows tool with Debian's mingw-w64 (the -posix
# flavour, whose threads GoogleTest needs), linked fully static so that
# kestrane.exe needs no DLL beside it. CTest runs the tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# Libraries built for the target beside Debian's, such as the libzip of
# cmake/build-libzip-mingw.sh (the windows preset names its folder).
if(KESTRANE_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KESTRANE_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KESTRANE_WINE wine)
if(KESTRANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRANE_WINE})
endif()
