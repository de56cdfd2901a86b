# Where the programs install. On Linux each goes into the private folder
# beside its own copy of the library, where it looks first, with a link on
# the PATH; on Windows the programs and the DLL share the package's top
# folder, where Windows looks first.
include_guard(GLOBAL)

set(ORVELIN_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/orvelin)

function(orvelin_install_program target)
    if(WIN32)
        install(TARGETS ${target} RUNTIME DESTINATION .)
        return()
    endif()
    install(TARGETS ${target} RUNTIME DESTINATION ${ORVELIN_PRIVATE_DIR})
    set(name $<TARGET_FILE_NAME:${target}>)
    install(CODE "
        set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(MAKE_DIRECTORY \"\${bin}\")
        file(CREATE_LINK \"../${ORVELIN_PRIVATE_DIR}/${name}\" \"\${bin}/${name}\" SYMBOLIC)
        message(STATUS \"Installing: \${bin}/${name}\")
    ")
endfunction()
