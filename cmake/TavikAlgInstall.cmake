# The library for programs that link it, installed where Orvelin loads it
# from: its private folder. A CMake package and a pkg-config file in the
# architecture's library folder point there, and both make the linked program
# record that folder as a run path, since the loader never looks in it.
include_guard(GLOBAL)
include(CMakePackageConfigHelpers)
include(InstallProgram)

# The architecture's own library folder (lib/x86_64-linux-gnu on Debian),
# where the cross-compilation tools look for these files too.
function(_tavik_alg_arch_libdir out_var)
    set(folder ${CMAKE_INSTALL_LIBDIR})
    if(CMAKE_LIBRARY_ARCHITECTURE AND NOT folder MATCHES "/${CMAKE_LIBRARY_ARCHITECTURE}$")
        string(APPEND folder /${CMAKE_LIBRARY_ARCHITECTURE})
    endif()
    set(${out_var} ${folder} PARENT_SCOPE)
endfunction()

function(tavik_alg_install library headers)
    set_target_properties(${headers} PROPERTIES EXPORT_NAME headers)
    target_link_options(${library} INTERFACE
        "$<INSTALL_INTERFACE:LINKER:-rpath,$<INSTALL_PREFIX>/${ORVELIN_PRIVATE_DIR}>")
    install(TARGETS ${library} ${headers} EXPORT TAVIK_ALGTargets
            LIBRARY DESTINATION ${ORVELIN_PRIVATE_DIR})

    _tavik_alg_arch_libdir(arch_libdir)
    set(config_dir ${arch_libdir}/cmake/TAVIK_ALG)
    install(EXPORT TAVIK_ALGTargets NAMESPACE TAVIK_ALG:: DESTINATION ${config_dir})
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/package)
    configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TAVIK_ALGConfig.cmake.in
        ${generated}/TAVIK_ALGConfig.cmake INSTALL_DESTINATION ${config_dir})
    # The interface never changes; a new major version would say otherwise.
    write_basic_package_version_file(${generated}/TAVIK_ALGConfigVersion.cmake
        VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
    install(FILES ${generated}/TAVIK_ALGConfig.cmake ${generated}/TAVIK_ALGConfigVersion.cmake
            DESTINATION ${config_dir})

    # The pkg-config file names its prefix, known only when installing (the
    # Debian package installs into /usr whatever the configured prefix).
    set(ORVELIN_PC_PREFIX "@CMAKE_INSTALL_PREFIX@")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/TAVIK_ALG.pc.in ${generated}/TAVIK_ALG.pc.in @ONLY)
    install(CODE "
        set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${arch_libdir}/pkgconfig/TAVIK_ALG.pc\")
        configure_file(\"${generated}/TAVIK_ALG.pc.in\" \"\${file}\" @ONLY)
        message(STATUS \"Installing: \${file}\")
    ")
endfunction()
