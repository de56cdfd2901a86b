# Run by cpack once the Debian package's files are staged: its Depends, from
# dpkg-shlibdeps over every ELF file staged. CPack's own scan would do the
# same but also call ldconfig from the maintainer scripts, for a library in
# a private folder that ldconfig never reads.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
find_program(shlibdeps dpkg-shlibdeps REQUIRED)

set(stage "${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE files LIST_DIRECTORIES false "${stage}/*")
set(binaries)
foreach(file IN LISTS files)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        list(APPEND binaries "${file}")
    endif()
endforeach()
if(NOT binaries)
    message(FATAL_ERROR "no ELF file staged in ${stage}")
endif()

# dpkg-shlibdeps wants a source package's control file; an empty one serves.
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(REMOVE_RECURSE "${work}")
file(WRITE "${work}/debian/control" "")
execute_process(COMMAND "${shlibdeps}" -O ${binaries}
                WORKING_DIRECTORY "${work}"
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT output MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps failed (${status}):\n${errors}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
