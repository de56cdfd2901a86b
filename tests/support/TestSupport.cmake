# Support code that the tests, the fuzz targets and the benchmarks share.
# Each program compiles these sources itself, so that they take its flags:
# the fuzz build instruments all it links, a benchmark nothing.
include_guard(GLOBAL)

# orvelin_use_vector_records(TARGET): the one reader of the vector files'
# records, and hex text.
function(orvelin_use_vector_records target)
    set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
    target_sources(${target} PRIVATE ${here}/hex.cpp ${here}/vector_records.cpp)
    target_include_directories(${target} PRIVATE ${here})
endfunction()

# orvelin_use_openssl_peer(TARGET): the library's operations rebuilt on
# OpenSSL's libcrypto. There is no OpenSSL in the Windows cross build.
function(orvelin_use_openssl_peer target)
    find_package(OpenSSL REQUIRED COMPONENTS Crypto)
    set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
    target_sources(${target} PRIVATE ${here}/openssl_peer.cpp)
    target_include_directories(${target} PRIVATE ${here})
    target_link_libraries(${target} PRIVATE TAVIK_ALG::headers OpenSSL::Crypto)
endfunction()
