# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64-posix).
# Used by the `windows-core` preset, which builds only the Qt-free core and tarvel-decode, so
# that code meant to be portable is compiled for Windows on every test run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers come from the mingw-w64 tree only, never from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The executables carry their C++ runtime, so they run on a Windows machine without the
# compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
