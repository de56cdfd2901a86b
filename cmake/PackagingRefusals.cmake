# Read by cpack before it installs anything: the reasons configure gave for
# refusing the Debian package (orvelin_refuse_packaging in Packaging.cmake).
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_ORVELIN_REFUSALS)
    list(JOIN CPACK_ORVELIN_REFUSALS "\n  " reasons)
    message(FATAL_ERROR "The Debian package is refused:\n  ${reasons}")
endif()
