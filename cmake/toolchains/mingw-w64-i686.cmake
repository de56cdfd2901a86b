# Cross-builds for 32-bit Windows with MinGW-w64. No emulator: the 32-bit
# Wine is too heavy to install for the tests, so its programs are built and
# the library's exports checked, but nothing is run.
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
