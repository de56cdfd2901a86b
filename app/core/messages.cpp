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

std::string ExportResult(std::string_view export_name, std::int32_t result) {
    return std::string(export_name) + " returned " + std::to_string(result) + ".";
}

std::string Requires(std::string_view function, std::string_view precondition) {
    return std::string(function) + " requires " + std::string(precondition) + ".";
}

} // namespace orvelin::messages
