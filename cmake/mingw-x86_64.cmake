# Cross build for 64-bit Windows with MinGW-w64: the same sources as the
# shipped 32-bit program, for machines that cannot run 32-bit code, where the
# Windows tests run on this build under 64-bit Wine. The -posix variants of
# the compilers carry a C++ library with std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no MinGW runtime DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the Windows executables under 64-bit Wine (tools/wine-run).
set(VELQUOR_WINE_ARCH win64)
set(CMAKE_CROSSCOMPILING_EMULATOR
    env VELQUOR_WINE_ARCH=${VELQUOR_WINE_ARCH} "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
