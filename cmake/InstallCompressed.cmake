# Man pages and the changelog as Debian installs them: compressed by gzip at
# its best and without name or time stamp, so that the same text always makes
# the same bytes.
include_guard(GLOBAL)

# orvelin_install_compressed(FILE DESTINATION [LINKS name...] [DEPENDS item...])
# Compresses FILE at build time and installs FILE.gz into DESTINATION; each
# LINKS name becomes a link name.gz beside it. DEPENDS names what makes FILE.
function(orvelin_install_compressed file destination)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "LINKS;DEPENDS")
    find_program(ORVELIN_GZIP gzip REQUIRED)
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name})
    add_custom_command(OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/compressed
        COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy}
        COMMAND ${ORVELIN_GZIP} -9 -n -f ${copy}
        DEPENDS ${file} ${arg_DEPENDS}
        COMMENT "Compressing ${name}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER "compress_${name}" target)
    add_custom_target(${target} ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${destination})
    foreach(link IN LISTS arg_LINKS)
        install(CODE "
            set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}\")
            file(CREATE_LINK \"${name}.gz\" \"\${folder}/${link}.gz\" SYMBOLIC)
            message(STATUS \"Installing: \${folder}/${link}.gz\")
        ")
    endforeach()
endfunction()
