cmake_minimum_required(VERSION 3.25)
# Fails unless the library's dynamic symbol table defines exactly the fifteen
# exported functions. Run as: cmake -DNM=... -DLIBRARY=... -P exported_symbols.cmake
set(expected AES_CMAC AES_Decrypt AES_DecryptCBC AES_Encrypt AES_EncryptCBC AES_ExpandKey
    EnOrDecrypt_3DES EnOrDecrypt_3DES_3KEY EnOrDecrypt_3DES_3KEY_CBC EnOrDecrypt_3DES_CBC
    EnOrDecrypt_DES EnOrDecrypt_DES_CBC TDES_3KEY_CMAC TDES_CMAC lib_ver)
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
message(STATUS "exactly the fifteen functions are exported")
