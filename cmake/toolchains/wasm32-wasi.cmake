# Cross-builds the browser page for WebAssembly (wasm32-wasi) with Debian's own
# clang 14, wasi-libc and the wasm32 libc++: the cipher library, the core and
# card practice linked into one module, with no loader, no threads and no
# exceptions. The module is a reactor: the page calls _initialize once, then
# the exports; constructors run once, not around every call.
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/wasm32-wasi.cmake
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)

# Debian keeps the wasm32 headers beside the host's, so the host's are shut
# out and these named; its libc++abi has no exception runtime.
set(ORVELIN_WASI_INCLUDE /usr/include/wasm32-wasi)
set(CMAKE_CXX_FLAGS_INIT
    "-fno-exceptions -nostdlibinc -isystem ${ORVELIN_WASI_INCLUDE}/c++/v1 -isystem ${ORVELIN_WASI_INCLUDE}")
# The compile flags reach the link too, where the header paths mean nothing.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-mexec-model=reactor -Wl,--strip-all -Wno-unused-command-line-argument")

# Programs (node, the browser) come from the host; nothing else is searched.
set(CMAKE_FIND_ROOT_PATH /usr/lib/wasm32-wasi)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
