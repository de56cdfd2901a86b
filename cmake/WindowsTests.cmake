# Test programs built for Windows. Each program is one CTest test run under
# the emulator, not one per case: every run starts Wine again.
include_guard(GLOBAL)
include(WineEmulator)

# Registers a test program, run from its own folder (where the DLLs are).
# Without an emulator (the 32-bit build) it is built but not run.
#   orvelin_add_windows_test(cipherlib_tests [ARGS --gtest_filter=...] [TIMEOUT 120])
function(orvelin_add_windows_test target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "ARGS")
    if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
        message(STATUS "${target}: built, not run (no emulator for ${CMAKE_SYSTEM_PROCESSOR})")
        return()
    endif()
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 120)
    endif()
    add_test(NAME ${target} COMMAND ${target} ${arg_ARGS}
             WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>)
    set_tests_properties(${target} PROPERTIES TIMEOUT ${arg_TIMEOUT} LABELS windows)
endfunction()
