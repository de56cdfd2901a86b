#include "cli_messages.h"

namespace orvelin::cli::messages {

std::string LongerThan(std::string_view label, std::size_t limit) {
    return std::string(label) + " length must not exceed " + std::to_string(limit) + " bytes!";
}

std::string CheckFailed(std::string_view export_name, std::string_view traced,
                        std::string_view returned) {
    return "check failed: the steps give " + std::string(traced) + " but " +
           std::string(export_name) + " returns " + std::string(returned);
}

} // namespace orvelin::cli::messages
