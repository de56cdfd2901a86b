# Release packages: on Linux a Debian package of the programs with their
# private copy of the library, the library's header, CMake package and
# pkg-config file, the man pages, the desktop entry and icons; from the
# Windows build a ZIP of the programs, the DLL, its import library, the header
# and a short read-me.
include_guard(GLOBAL)
include(InstallCompressed)

set(CPACK_PACKAGE_NAME Orvelin)
set(CPACK_PACKAGE_VENDOR "Orvelin developers")
# A reserved domain: lintian accepts it, and it reaches no one by mistake.
set(CPACK_PACKAGE_CONTACT "Orvelin developers <developers@orvelin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)

# Something a package must hold that this configuration cannot make: configure
# warns now, and cpack refuses the Debian package with the same reason.
function(orvelin_refuse_packaging reason)
    message(WARNING "${reason}. Until that is mended and the build configured again, "
                    "cpack refuses the Debian package.")
    set_property(GLOBAL APPEND PROPERTY ORVELIN_PACKAGING_REFUSALS "${reason}")
endfunction()

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME windows-${CMAKE_SYSTEM_PROCESSOR})
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    install(FILES ${PROJECT_SOURCE_DIR}/app/res/README-windows.txt DESTINATION . RENAME README.txt)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_NAME orvelin)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_PACKAGE_DESCRIPTION [[
Orvelin is a calculator for the symmetric cryptography of contactless smart
cards (ISO/IEC 14443): DES, two- and three-key triple DES and AES-128 in ECB
or CBC, CMAC over AES and triple DES chained from an IV, the ISO/IEC 14443-3
Type A CRC16, a CRC32 and key XOR, on hex text.
The package holds the window (orvelin), its command line (tavik), and the
TAVIK_ALG cipher library with its C header, CMake package and pkg-config
file.]])
    # Depends comes from cmake/DebianDepends.cmake, not from CPack's own
    # scan, which would also call ldconfig from the maintainer scripts for a
    # library in a private folder that ldconfig never reads.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
    set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianDepends.cmake)
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackagingRefusals.cmake)

    set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_PACKAGE_NAME})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${doc_dir})
    orvelin_install_compressed(${PROJECT_SOURCE_DIR}/packaging/changelog ${doc_dir})
    if(ORVELIN_BUILD_APP)
        configure_file(${PROJECT_SOURCE_DIR}/app/res/orvelin.1.in
                       ${CMAKE_CURRENT_BINARY_DIR}/orvelin.1 @ONLY)
        orvelin_install_compressed(${CMAKE_CURRENT_BINARY_DIR}/orvelin.1
                                   ${CMAKE_INSTALL_MANDIR}/man1 LINKS Orvelin.1)
    endif()
endif()

# The browser page, orvelin.html, built by the WebAssembly build
# (cmake/toolchains/wasm32-wasi.cmake); scripts/package builds it first and
# names it here. Beside the programs in the ZIP; in /usr/share/orvelin in the
# Debian package.
set(ORVELIN_WEB_PAGE "" CACHE FILEPATH "orvelin.html to ship in the packages (none when empty)")
if(ORVELIN_WEB_PAGE)
    if(NOT EXISTS ${ORVELIN_WEB_PAGE})
        message(FATAL_ERROR "ORVELIN_WEB_PAGE names ${ORVELIN_WEB_PAGE}, which does not exist")
    endif()
    if(WIN32)
        install(FILES ${ORVELIN_WEB_PAGE} DESTINATION . RENAME orvelin.html)
    else()
        install(FILES ${ORVELIN_WEB_PAGE} DESTINATION ${CMAKE_INSTALL_DATADIR}/orvelin
                RENAME orvelin.html)
    endif()
endif()

# CPack takes its settings when included, so it is included once the whole
# tree has been read and every refusal is known.
macro(_orvelin_include_cpack)
    get_property(CPACK_ORVELIN_REFUSALS GLOBAL PROPERTY ORVELIN_PACKAGING_REFUSALS)
    include(CPack)
endmacro()
cmake_language(DEFER CALL _orvelin_include_cpack)
