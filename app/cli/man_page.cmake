# Writes tavik's man page: help2man over `tavik --help` and `--version`, and
# each command's --help in a COMMANDS section, kept as printed.
#   cmake -DTAVIK=... -DHELP2MAN=... -DOUTPUT=tavik.1 -DCOMMANDS=a,b,"c d" -P man_page.cmake
string(REPLACE "," ";" commands "${COMMANDS}")
set(include_file "${OUTPUT}.include")
file(WRITE "${include_file}" "[COMMANDS]\n")
foreach(command IN LISTS commands)
    # A command of a family is its two words ("desfire session").
    separate_arguments(words UNIX_COMMAND "${command}")
    execute_process(COMMAND "${TAVIK}" ${words} --help
                    OUTPUT_VARIABLE help RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "tavik ${command} --help exited with ${status}")
    endif()
    # roff reads a backslash as an escape, and a line starting with a dot or
    # an apostrophe as a request.
    string(REPLACE "\\" "\\e" help "${help}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
    file(APPEND "${include_file}" ".SS ${command}\n.nf\n${help}.fi\n")
endforeach()
execute_process(
    COMMAND "${HELP2MAN}" --no-info --section=1
            "--name=the Orvelin cipher library's command line"
            "--include=${include_file}" "--output=${OUTPUT}" "${TAVIK}"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man exited with ${status}")
endif()
