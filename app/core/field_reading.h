// What every operation does with the fields it reads: fixed-size buffers
// filled by the hex reading rule, the messages that refuse a press, and the
// checks that keep bad text away from the library.
#ifndef ORVELIN_FIELD_READING_H
#define ORVELIN_FIELD_READING_H

#include "hex_text.h"
#include "operations.h"

#include <array>
#include <initializer_list>

namespace orvelin {

// Every field buffer holds this many bytes.
inline constexpr std::size_t kFieldCapacity = 256;
using FieldBuffer = std::array<std::uint8_t, kFieldCapacity>;

namespace messages {
inline constexpr const char* kKeyLength16 = "Key length must be 16 bytes!";
inline constexpr const char* kKeyLength24 = "Key length must be 24 bytes!";
inline constexpr const char* kIvLength8 = "IV length must be 8 bytes!";
inline constexpr const char* kIvLength16 = "IV length must be 16 bytes!";
inline constexpr const char* kDesKeyAtLeast8 = "Key length must be at least 8 bytes!";
inline constexpr const char* kDataMultipleOf8 = "Data length must be a multiple of 8 bytes!";
inline constexpr const char* kDataMultipleOf16 = "Data length must be a multiple of 16 bytes!";
} // namespace messages

namespace labels {
inline constexpr const char* kSessionKey = "SessionKey";
inline constexpr const char* kIv = "IV";
inline constexpr const char* kDataIn = "DataIn";
} // namespace labels

// A field as read: its label for messages and what the reading rule found.
struct ReadField {
    const char* label = "";
    HexReading reading;

    std::size_t count() const { return reading.count; }
};

inline ReadField Read(const char* label, const FieldReader& field,
                      std::span<std::uint8_t> destination) {
    return {label, field(destination)};
}

// A character that is not a hex digit, then a field longer than its buffer:
// the first such field, in the order given, refuses the press.
std::optional<std::string> RefuseUnreadable(std::initializer_list<ReadField> fields);

inline Outcome Refuse(std::string message) {
    return {std::move(message), {}, {}};
}

// The first `count` bytes of a buffer.
inline Bytes FirstBytes(std::span<const std::uint8_t> buffer, std::size_t count) {
    const auto shown = buffer.first(count);
    return {shown.begin(), shown.end()};
}

} // namespace orvelin

#endif
