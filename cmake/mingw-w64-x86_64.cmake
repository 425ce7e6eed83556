# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (GCC 12).
#
# The -posix thread variant is the one with std::mutex and std::thread.
# Everything is linked statically so that the executables need no MinGW
# DLLs beside them (Windows and Wine would refuse to start them).
# VRX_MINGW_PREFIX is where scripts/build-windows.sh installs the
# cross-built wxWidgets, libpng, GoogleTest and CLI11.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VRX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VRX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VRX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VRX_MINGW_TRIPLET}-windres)

if(NOT VRX_MINGW_PREFIX)
  set(VRX_MINGW_PREFIX "$ENV{VRX_MINGW_PREFIX}")
endif()
if(NOT VRX_MINGW_PREFIX)
  set(VRX_MINGW_PREFIX /opt/vrx-mingw64)
endif()
set(VRX_MINGW_PREFIX "${VRX_MINGW_PREFIX}" CACHE PATH "Cross-built libraries for Windows")

set(CMAKE_PREFIX_PATH ${VRX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH /usr/${VRX_MINGW_TRIPLET} ${VRX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
