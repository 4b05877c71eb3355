# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler (posix thread model);
# executables run under Wine through the cross-compiling emulator.
#
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64.cmake
#
# MINGW_TRIPLET, MINGW_COMPILER_SUFFIX and WINE_EXECUTABLE may be given on the command line.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

if(NOT MINGW_TRIPLET)
  set(MINGW_TRIPLET x86_64-w64-mingw32)
endif()
if(NOT DEFINED MINGW_COMPILER_SUFFIX)
  set(MINGW_COMPILER_SUFFIX -posix)
endif()

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc${MINGW_COMPILER_SUFFIX})
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++${MINGW_COMPILER_SUFFIX})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Only the target's libraries and packages; programs still come from the host.
# Prefixes of cross-built dependencies are added by CMAKE_FIND_ROOT_PATH on the command line.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++, winpthread) is linked statically, so every
# .exe and .dll needs only system DLLs and runs from any folder under Wine or Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Debian puts the 64-bit launcher outside PATH.
if(NOT WINE_EXECUTABLE)
  find_program(WINE_EXECUTABLE NAMES wine64 wine
    PATHS /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin
    NO_CMAKE_FIND_ROOT_PATH)
endif()
if(WINE_EXECUTABLE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
endif()
