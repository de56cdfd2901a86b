#include "card_messages.h"

namespace orvelin::card::messages {

std::string KeyLength(std::size_t size) {
    return "Key length must be " + std::to_string(size) + " bytes!";
}

std::string IvLength(std::size_t size) {
    return "IV length must be " + std::to_string(size) + " bytes!";
}

std::string DataTooLong(std::size_t limit) {
    return "Data length must not exceed " + std::to_string(limit) + " bytes!";
}

std::string LengthOutOfRange(std::string_view what, std::size_t low, std::size_t high) {
    return std::string(what) + " must be from " + std::to_string(low) + " to " +
           std::to_string(high) + " bytes!";
}

std::string RoutesDisagree(std::string_view steps, std::string_view library) {
    return std::string(steps) + " and " + std::string(library) + " disagree!";
}

std::string PreconditionBroken(std::string_view what) {
    return "Precondition broken: " + std::string(what) + "!";
}

} // namespace orvelin::card::messages
