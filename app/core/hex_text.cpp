#include "hex_text.h"

#include <optional>

namespace orvelin {
namespace {

std::optional<std::uint8_t> HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    return std::nullopt;
}

} // namespace

HexReading ReadHex(std::string_view text, std::span<std::uint8_t> destination) {
    HexReading reading;
    std::size_t digits = 0;
    for (const char c : text) {
        if (c == ' ') {
            continue;
        }
        const auto value = HexValue(c);
        reading.only_hex_digits = reading.only_hex_digits && value.has_value();
        const std::size_t index = digits / 2;
        if (index < destination.size()) {
            const std::uint8_t nibble = value.value_or(0);
            // The high nibble until its partner comes; a lone last digit stays low.
            destination[index] = digits % 2 == 0
                                     ? nibble
                                     : static_cast<std::uint8_t>(destination[index] << 4 | nibble);
        }
        ++digits;
    }
    reading.count = digits / 2 + digits % 2;
    reading.lone_last_digit = digits % 2 != 0;
    return reading;
}

std::string WriteHex(std::span<const std::uint8_t> bytes) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * bytes.size());
    for (const std::uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

} // namespace orvelin
