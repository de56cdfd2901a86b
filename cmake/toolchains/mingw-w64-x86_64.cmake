# Cross-builds for 64-bit Windows with MinGW-w64; programs run under Wine.
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

find_program(ORVELIN_WINE wine)
if(ORVELIN_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVELIN_WINE})
endif()
