cmake_minimum_required(VERSION 3.25)
# Fails unless the library's dynamic symbol table defines exactly the functions
# of the header's export list. Run as:
#   cmake -DNM=... -DLIBRARY=... -DEXPORTS=name,name,... -P exported_symbols.cmake
# EXPORTS is the build's TAVIK_ALG_EXPORTS, read from the header, with commas
# for separators so that it passes through as one argument.
if(NOT EXPORTS)
    message(FATAL_ERROR "no expected export names given (EXPORTS)")
endif()
string(REPLACE "," ";" expected "${EXPORTS}")
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[0-9a-fA-F]+ [TtWi] [^\n]+" functions "${listing}")
set(found)
foreach(line IN LISTS functions)
    string(REGEX REPLACE "^[0-9a-fA-F]+ [TtWi] " "" name "${line}")
    list(APPEND found ${name})
endforeach()
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "exported functions differ:\n  found:    ${found}\n  expected: ${expected}")
endif()
message(STATUS "exactly the header's exports are exported: ${expected}")
