# Runs every record of published_examples.txt through the cross-built
# tavik.exe under the emulator, one start per record, and compares standard
# output exactly (line ends read as the program's text mode writes them).
#   cmake -DTAVIK=tavik.exe -DTABLE=published_examples.txt
#         -DEMULATOR=env|WINEPREFIX=...|wine -P published_examples.cmake
# EMULATOR is the emulator's command with '|' between its words: CTest would
# split a ';' list.
string(REPLACE "|" ";" emulator "${EMULATOR}")
get_filename_component(folder "${TAVIK}" DIRECTORY)
file(STRINGS "${TABLE}" lines ENCODING UTF-8)

set(records 0)
set(failures "")
set(arguments "")
set(expected "")

function(run_record arguments expected)
    if(expected STREQUAL "")
        set(failures "${failures}\n${arguments}: no expected output" PARENT_SCOPE)
        return()
    endif()
    execute_process(COMMAND ${emulator} "${TAVIK}" ${arguments}
                    WORKING_DIRECTORY "${folder}"
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    string(REPLACE "\r\n" "\n" out "${out}")
    if(NOT status EQUAL 0 OR NOT err STREQUAL "" OR NOT out STREQUAL expected)
        string(REPLACE ";" " " shown "${arguments}")
        string(APPEND failures "\ntavik ${shown}\n  status ${status}\n  expected:\n${expected}"
                               "  stdout:\n${out}  stderr:\n${err}")
        set(failures "${failures}" PARENT_SCOPE)
    endif()
endfunction()

foreach(line IN LISTS lines)
    if(line MATCHES "^tavik (.*)$")
        if(NOT arguments STREQUAL "")
            run_record("${arguments}" "${expected}")
            math(EXPR records "${records} + 1")
        endif()
        separate_arguments(arguments UNIX_COMMAND "${CMAKE_MATCH_1}")
        set(expected "")
    elseif(line STREQUAL "=")
        string(APPEND expected "\n")
    elseif(line MATCHES "^= (.*)$")
        string(APPEND expected "${CMAKE_MATCH_1}\n")
    elseif(NOT line MATCHES "^(#.*|[ \t]*)$")
        message(FATAL_ERROR "${TABLE}: a line that is no record: ${line}")
    endif()
endforeach()
if(NOT arguments STREQUAL "")
    run_record("${arguments}" "${expected}")
    math(EXPR records "${records} + 1")
endif()

if(records EQUAL 0)
    message(FATAL_ERROR "${TABLE}: no record")
endif()
if(NOT failures STREQUAL "")
    message(FATAL_ERROR "Published examples that tavik.exe does not reproduce:${failures}")
endif()
message(STATUS "${records} published examples reproduced")
