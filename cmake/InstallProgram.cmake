# Where the programs install. On Linux each goes into the private folder
# beside its own copy of the library, where it looks first, with a link on
# the PATH under its name and, where that has capitals, under its lower-case
# name too, as commands there are typed; on Windows the programs and the DLL
# share the package's top folder, where Windows looks first.
# Per directory: ORVELIN_PRIVATE_DIR is a variable of the including one.
include_guard(DIRECTORY)

set(ORVELIN_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/orvelin)

function(orvelin_install_program target)
    if(WIN32)
        install(TARGETS ${target} RUNTIME DESTINATION .)
        return()
    endif()
    install(TARGETS ${target} RUNTIME DESTINATION ${ORVELIN_PRIVATE_DIR})
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    string(TOLOWER ${name} command)
    set(links ${name} ${command})
    list(REMOVE_DUPLICATES links)
    foreach(link IN LISTS links)
        install(CODE "
            set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
            file(MAKE_DIRECTORY \"\${bin}\")
            file(CREATE_LINK \"../${ORVELIN_PRIVATE_DIR}/${name}\" \"\${bin}/${link}\" SYMBOLIC)
            message(STATUS \"Installing: \${bin}/${link}\")
        ")
    endforeach()
endfunction()
