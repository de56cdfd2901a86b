# Runs the cross-built programs under Wine in a prefix of the build's own,
# quietly and without the installers Wine offers for .NET and HTML. Every test
# whose command is a target of this build gets it, including those that others
# register with a plain add_test. scripts/test-windows starts and boots this
# prefix before CTest so that Wine's helper processes are not children of a
# test.
include_guard(DIRECTORY)

set(ORVELIN_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
if(CMAKE_CROSSCOMPILING_EMULATOR MATCHES "wine[^/]*$")
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_COMMAND} -E env WINEPREFIX=${ORVELIN_WINEPREFIX} WINEDEBUG=-all
        "WINEDLLOVERRIDES=mscoree,mshtml=" ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()
