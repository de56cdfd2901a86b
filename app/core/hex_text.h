// The rules by which a field's hex text becomes bytes and bytes become text.
#ifndef ORVELIN_HEX_TEXT_H
#define ORVELIN_HEX_TEXT_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvelin {

struct HexReading {
    // floor(n / 2) + (n mod 2) for the n characters left once spaces are
    // removed, whatever the destination could hold.
    std::size_t count = 0;
    // False when the text held a character that is neither a hex digit nor a
    // space; such a character reads as 0.
    bool only_hex_digits = true;
    // True when n is odd: the last byte holds one digit.
    bool lone_last_digit = false;
};

// Spaces are removed wherever they stand; the rest is read in pairs, high
// nibble first, and a lone last digit is the low nibble of one more byte.
// Writes at most destination.size() bytes and nothing when the count is 0.
HexReading ReadHex(std::string_view text, std::span<std::uint8_t> destination);

// Two upper-case digits per byte, nothing else.
std::string WriteHex(std::span<const std::uint8_t> bytes);

} // namespace orvelin

#endif
