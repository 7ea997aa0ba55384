# What both MinGW-w64 toolchain files share; each sets MINGW_TRIPLET and
# VELQUOR_WINE_ARCH, then includes this. The -posix variants of the compilers
# carry a C++ library with std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no MinGW runtime DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the Windows executables under the Wine of that architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env VELQUOR_WINE_ARCH=${VELQUOR_WINE_ARCH} "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
