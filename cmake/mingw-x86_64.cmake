# Cross build for 64-bit Windows with MinGW-w64: the same sources as the
# shipped 32-bit program, for machines that cannot run 32-bit code, where the
# Windows tests run on this build under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(VELQUOR_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
