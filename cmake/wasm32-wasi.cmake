# WebAssembly for the web edition and for the portable tests on a third
# target: Debian's clang with its WASI C library and libc++ (packages
# clang, lld, wasi-libc, libc++-dev-wasm32, libclang-rt-dev-wasm32). No SDK
# to download, no browser or OS header reaches the code: a WASI program sees
# only the C and C++ libraries, and the page gives it what else it needs
# through the functions it imports.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(VELQUOR_WASM ON)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar-14 CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib-14 CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/lib/wasm32-wasi)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the test programs under Node.js's WASI (the flag, needed before
# Node.js 20, is still accepted there).
set(CMAKE_CROSSCOMPILING_EMULATOR
    node --experimental-wasi-unstable-preview1 "${CMAKE_CURRENT_LIST_DIR}/../tools/wasi-run.mjs")
