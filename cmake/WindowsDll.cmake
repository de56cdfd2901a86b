# The library as a Windows DLL: TAVIK_ALG.dll with its import library beside
# it, the exports pinned by a module-definition file written from the header's
# one list (TAVIK_ALG_EXPORTS), and the GCC, C++ and thread runtimes linked in
# so that it imports system DLLs only.
include_guard(GLOBAL)

# Writes a module-definition file for `dll` exporting the names that follow,
# rewriting it only when it changes so that an unchanged list relinks nothing.
function(tavik_alg_write_def file dll)
    list(JOIN ARGN "\n    " names)
    file(CONFIGURE OUTPUT ${file} CONTENT "LIBRARY ${dll}\nEXPORTS\n    ${names}\n")
endfunction()

# Names, links and places a DLL target as callers on Windows expect it.
function(_tavik_alg_dll_layout target)
    set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "")
    get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
    if(folder)
        set_target_properties(${target} PROPERTIES ARCHIVE_OUTPUT_DIRECTORY ${folder})
    endif()
    target_link_options(${target} PRIVATE -static)
endfunction()

# Turns the shared-library target into the shipped DLL, with the version
# record compiled from RESOURCE.
#   tavik_alg_windows_dll(TAVIK_ALG RESOURCE res/TAVIK_ALG.rc)
function(tavik_alg_windows_dll target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "RESOURCE" "")
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    tavik_alg_write_def(${def} ${target}.dll ${TAVIK_ALG_EXPORTS})
    target_sources(${target} PRIVATE ${def} ${arg_RESOURCE})
    _tavik_alg_dll_layout(${target})
endfunction()

# The library's objects in one archive with their export marks removed. The
# linker honours a dllexport mark even for a name the .def leaves out, so a
# partial DLL built from the marked objects would still export all fifteen.
function(_tavik_alg_unmarked_archive out_var)
    set(archive ${PROJECT_BINARY_DIR}/cipherlib/TAVIK_ALG_unmarked.a)
    if(NOT TARGET TAVIK_ALG_unmarked)
        add_custom_command(OUTPUT ${archive}
            COMMAND ${CMAKE_COMMAND} -E rm -f ${archive}
            COMMAND ${CMAKE_AR} qc ${archive} "$<TARGET_OBJECTS:TAVIK_ALG_objects>"
            COMMAND ${CMAKE_OBJCOPY} --remove-section=.drectve ${archive}
            COMMAND ${CMAKE_RANLIB} ${archive}
            DEPENDS TAVIK_ALG_objects "$<TARGET_OBJECTS:TAVIK_ALG_objects>"
            COMMENT "Archiving the library's objects without their export marks"
            COMMAND_EXPAND_LISTS VERBATIM)
        add_custom_target(TAVIK_ALG_unmarked DEPENDS ${archive})
    endif()
    set(${out_var} ${archive} PARENT_SCOPE)
endfunction()

# A DLL `name`.dll from the library's own code that lacks the named exports,
# for tests of callers that meet a missing function. It lands beside the
# shipped DLL.
#   tavik_alg_add_partial_dll(TAVIK_ALG_NO_AES_CMAC AES_CMAC)
function(tavik_alg_add_partial_dll name)
    set(kept ${TAVIK_ALG_EXPORTS})
    foreach(missing IN LISTS ARGN)
        if(NOT missing IN_LIST kept)
            message(FATAL_ERROR "${name}: ${missing} is not one of the exports")
        endif()
        list(REMOVE_ITEM kept ${missing})
    endforeach()
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
    tavik_alg_write_def(${def} ${name}.dll ${kept})
    _tavik_alg_unmarked_archive(archive)

    add_library(${name} SHARED ${def})
    set_target_properties(${name} PROPERTIES LINKER_LANGUAGE CXX LINK_DEPENDS ${archive})
    target_link_libraries(${name} PRIVATE -Wl,--whole-archive ${archive} -Wl,--no-whole-archive)
    add_dependencies(${name} TAVIK_ALG_unmarked)
    _tavik_alg_dll_layout(${name})
endfunction()
