# GoogleTest for a cross build, compiled from Debian's sources with the same
# toolchain: the packaged libraries are for the host. SYSTEM keeps its headers
# out of the project's warnings.
include_guard(GLOBAL)

set(ORVELIN_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources to build for the target")
set(BUILD_GMOCK OFF CACHE BOOL "Build GoogleMock too")
set(INSTALL_GTEST OFF CACHE BOOL "Install GoogleTest")
if(NOT EXISTS ${ORVELIN_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "no GoogleTest sources in ${ORVELIN_GOOGLETEST_SOURCE_DIR} "
                        "(Debian package googletest)")
endif()
add_subdirectory(${ORVELIN_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
