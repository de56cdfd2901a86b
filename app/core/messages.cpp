#include "messages.h"

namespace orvelin::messages {

std::string NotHexDigits(std::string_view label) {
    return std::string(label) + " must hold hex digits only!";
}

std::string OddDigitCount(std::string_view label) {
    return std::string(label) + " must hold an even number of hex digits!";
}

std::string TooLong(std::string_view label, std::size_t capacity) {
    return std::string(label) + " length must not exceed " + std::to_string(capacity) + " bytes!";
}

std::string BindingFailure(std::string_view export_name) {
    return "Load TAVIK_ALG.DLL failed! func<" + std::string(export_name) + "> cann't be load!";
}

} // namespace orvelin::messages
