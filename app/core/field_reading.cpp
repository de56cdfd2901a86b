#include "field_reading.h"

namespace orvelin {

FieldReader TextReader(std::string_view text) {
    return [text](std::span<std::uint8_t> destination) { return ReadHex(text, destination); };
}

std::optional<std::string> RefuseUnreadable(std::initializer_list<ReadField> fields) {
    for (const auto& field : fields) {
        if (!field.reading.only_hex_digits) {
            return std::string(field.label) + " must hold hex digits only!";
        }
    }
    for (const auto& field : fields) {
        if (field.count() > kFieldCapacity) {
            return std::string(field.label) + " length must not exceed 256 bytes!";
        }
    }
    return std::nullopt;
}

} // namespace orvelin
