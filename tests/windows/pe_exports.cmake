cmake_minimum_required(VERSION 3.25)
# Checks a DLL's PE tables as objdump prints them: the export table is filed
# under NAME and lists exactly the names in EXPORTS (comma-separated), and
# every import comes from a DLL that Windows itself provides.
#   cmake -DOBJDUMP=... -DLIBRARY=... -DNAME=TAVIK_ALG.dll -DEXPORTS=a,b -P pe_exports.cmake
foreach(required OBJDUMP LIBRARY NAME EXPORTS)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "pass -D${required}=...")
    endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY}
                OUTPUT_VARIABLE dump RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${LIBRARY} failed: ${errors}")
endif()

set(problems)

string(REGEX MATCH "\nName[ \t]+[0-9a-fA-F]+ ([^\n]+)" _ "${dump}")
if(NOT CMAKE_MATCH_1 STREQUAL NAME)
    list(APPEND problems "export table names '${CMAKE_MATCH_1}', not '${NAME}'")
endif()

# The name pointer table: one "[   n] name" line each, up to a blank line.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([ \t]+\\[[ 0-9]+\\] [^\n]+\n)*)" _
       "${dump}")
string(REGEX MATCHALL "\\] [^\n]+" entries "${CMAKE_MATCH_1}")
list(TRANSFORM entries REPLACE "\\] " "")
string(REPLACE "," ";" expected "${EXPORTS}")
set(missing ${expected})
list(REMOVE_ITEM missing ${entries})
set(unexpected ${entries})
list(REMOVE_ITEM unexpected ${expected})
if(missing)
    list(JOIN missing " " text)
    list(APPEND problems "missing: ${text}")
endif()
if(unexpected)
    list(JOIN unexpected " " text)
    list(APPEND problems "unexpected: ${text}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
foreach(import IN LISTS imports)
    string(TOLOWER "${import}" lower)
    if(NOT lower MATCHES "^(kernel32\\.dll|msvcrt\\.dll|api-ms-win-.+\\.dll)$")
        list(APPEND problems "imports ${import}, which Windows does not provide")
    endif()
endforeach()

if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "${LIBRARY}:\n  ${text}")
endif()
list(LENGTH entries count)
message(STATUS "${NAME}: exactly the ${count} exports; imports ${imports}")
