# The project's warnings, set on each of its own targets rather than on the
# directory, so that nothing built from elsewhere inherits them.
function(orvelin_warnings target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion
                               -Wsign-conversion -Wshadow)
        if(ORVELIN_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    elseif(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
        if(ORVELIN_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    endif()
endfunction()
