# Writes the published examples file into a C++ source as one raw string
# literal, so that the program carries the file as it was built and no value
# is typed twice.
#   cmake -DINPUT=published_examples.txt -DOUTPUT=published_examples_text.cpp
#         -P embed_examples.cmake
set(delimiter "orvelin_examples")
file(READ "${INPUT}" text)
string(FIND "${text}" ")${delimiter}" clash)
if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} holds the literal's delimiter )${delimiter}")
endif()
set(source "// Generated at build time from ${INPUT}: edit that file, not this one.
#include \"published_examples.h\"

namespace orvelin::card {

std::string_view PublishedExamplesText() {
    return R\"${delimiter}(${text})${delimiter}\";
}

} // namespace orvelin::card
")
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
