cmake_minimum_required(VERSION 3.25)
# Installs into a staging folder and checks that the program, the library
# beside it, the command link, the desktop entry and the icons are in place.
# Run as: cmake -DBUILD_DIR=... -DSTAGE=... -P install_layout.cmake
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "install failed")
endif()
foreach(path usr/lib/orvelin/Orvelin usr/lib/orvelin/libTAVIK_ALG.so usr/bin/Orvelin
        usr/share/applications/orvelin.desktop usr/share/icons/hicolor/32x32/apps/orvelin.png
        usr/share/icons/hicolor/16x16/apps/orvelin.png)
    if(NOT EXISTS ${STAGE}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(READ_SYMLINK ${STAGE}/usr/bin/Orvelin target)
if(NOT target STREQUAL "../lib/orvelin/Orvelin")
    message(FATAL_ERROR "usr/bin/Orvelin points at ${target}")
endif()
file(STRINGS ${STAGE}/usr/share/applications/orvelin.desktop entry)
if(NOT "Exec=Orvelin" IN_LIST entry OR NOT "Icon=orvelin" IN_LIST entry)
    message(FATAL_ERROR "the desktop entry does not start Orvelin with its icon")
endif()
message(STATUS "install layout complete")
