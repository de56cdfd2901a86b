# Release packages: on Linux a Debian package of the program with its private
# copy of the library, the header, the desktop entry and icons; from the
# Windows build a ZIP of the program, the DLL, its import library, the header
# and a short read-me.
include_guard(GLOBAL)

install(FILES ${PROJECT_SOURCE_DIR}/cipherlib/include/tavik_alg.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(CPACK_PACKAGE_NAME Orvelin)
set(CPACK_PACKAGE_VENDOR "Orvelin developers")
set(CPACK_PACKAGE_CONTACT "Orvelin developers <orvelin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME windows-${CMAKE_SYSTEM_PROCESSOR})
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    install(FILES ${PROJECT_SOURCE_DIR}/app/res/README-windows.txt DESTINATION . RENAME README.txt)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The program's own copy of the library lives in its private folder, where
    # no other package looks; the program finds it beside itself.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
        ${CMAKE_BINARY_DIR}/bin)
    set(CPACK_PACKAGE_DESCRIPTION
        "DES, two- and three-key triple DES and AES-128 in ECB or CBC, CMAC chained from an IV, the ISO/IEC 14443-3 Type A CRC16, a CRC32 and key XOR, on hex text, with the TAVIK_ALG cipher library.")
endif()

include(CPack)
