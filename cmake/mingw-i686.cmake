# Cross build for 32-bit Windows with MinGW-w64. The -posix variants of the
# compilers carry a C++ library with std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no MinGW runtime DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the Windows executables under 32-bit Wine (tools/wine-run).
set(VELQUOR_WINE_ARCH win32)
set(CMAKE_CROSSCOMPILING_EMULATOR
    env VELQUOR_WINE_ARCH=${VELQUOR_WINE_ARCH} "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
