# Cross toolchain: MinGW-w64 i686 with Win32 threads, from Debian's g++-mingw-w64-*-win32.
# The programs start no threads of their own; the POSIX-threads variant would link
# winpthreads statically, and with it imports (GetTickCount64 among them) that
# Windows XP and Server 2003 lack.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(_triple i686-w64-mingw32)
find_program(CMAKE_CXX_COMPILER ${_triple}-g++-win32)
find_program(CMAKE_C_COMPILER ${_triple}-gcc-win32)
find_program(CMAKE_RC_COMPILER ${_triple}-windres)
find_program(CMAKE_STRIP ${_triple}-strip)
foreach(_tool CMAKE_CXX_COMPILER CMAKE_RC_COMPILER CMAKE_STRIP)
  if(NOT ${_tool})
    message(FATAL_ERROR "${_tool} for ${_triple} not found: apt-get install g++-mingw-w64-i686-win32")
  endif()
endforeach()
# The oldest Windows the programs start on, written into the PE header as the OS
# and subsystem versions: Windows XP (5.1), 32-bit.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
  " -Wl,--major-os-version,5,--minor-os-version,1"
  " -Wl,--major-subsystem-version,5,--minor-subsystem-version,1")
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
