// ReadHex against a model of the rule written apart from it, on thousands of
// reproducible random texts of hex digits, spaces and stray characters.
#include "hex_text.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

using testing_support::Bytes;

constexpr std::string_view kLowerDigits = "0123456789abcdef";
constexpr std::string_view kUpperDigits = "0123456789ABCDEF";
// Neither digits nor spaces: letters past F, marks, controls, NUL and
// bytes of non-ASCII text.
constexpr std::array<char, 14> kStray = {'g',  'G',  'x',    '%',    '\'',   '.',    '-',
                                         '\t', '\0', '\x7f', '\x80', '\xc3', '\xa9', '\xff'};
constexpr std::size_t kGuardSize = 8;
constexpr std::uint8_t kGuard = 0xEE;

struct Expected {
    Bytes bytes;
    bool only_hex_digits = true;
};

// Spaces are removed anywhere; the rest pairs up high nibble first, a lone
// last digit is the low nibble of one more byte, and a character that is not
// a hex digit reads as 0 and clears the flag.
Expected Model(std::string_view text) {
    Expected expected;
    std::vector<unsigned> nibbles;
    for (const char c : text) {
        if (c == ' ') {
            continue;
        }
        const auto lower = kLowerDigits.find(c);
        const auto upper = kUpperDigits.find(c);
        const auto digit = std::min(lower, upper);
        expected.only_hex_digits = expected.only_hex_digits && digit != std::string_view::npos;
        nibbles.push_back(digit == std::string_view::npos ? 0U : static_cast<unsigned>(digit));
    }
    for (std::size_t i = 0; i < nibbles.size(); i += 2) {
        const unsigned byte =
            i + 1 < nibbles.size() ? nibbles[i] << 4 | nibbles[i + 1] : nibbles[i];
        expected.bytes.push_back(static_cast<std::uint8_t>(byte));
    }
    return expected;
}

// Mostly digits of both cases, often spaces (runs of them too), now and then
// a stray character.
std::string RandomText(testing_support::RandomBytes& random) {
    std::string text(random.between(0, 70), ' ');
    for (char& c : text) {
        const std::size_t kind = random.between(0, 19);
        if (kind < 12) {
            const auto& digits = kind % 2 == 0 ? kLowerDigits : kUpperDigits;
            c = digits[random.between(0, digits.size() - 1)];
        } else if (kind == 19) {
            c = kStray[random.between(0, kStray.size() - 1)];
        }
    }
    return text;
}

TEST(HexReaderProperty, MatchesTheRuleAndWritesNothingPastTheDestination) {
    testing_support::RandomBytes random;
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomText(random);
        const Expected expected = Model(text);
        const std::size_t size = random.between(0, expected.bytes.size() + 2);
        Bytes buffer(size + kGuardSize, kGuard);

        const auto reading = orvelin::ReadHex(text, std::span(buffer).first(size));

        SCOPED_TRACE(testing::Message() << "text \"" << text << "\" into " << size << " bytes");
        ASSERT_EQ(reading.count, expected.bytes.size());
        ASSERT_EQ(reading.only_hex_digits, expected.only_hex_digits);
        const std::size_t written = std::min(size, expected.bytes.size());
        ASSERT_TRUE(std::equal(expected.bytes.begin(),
                               expected.bytes.begin() + static_cast<std::ptrdiff_t>(written),
                               buffer.begin()));
        ASSERT_TRUE(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(size), buffer.end(),
                                [](std::uint8_t b) { return b == kGuard; }));
    }
}

} // namespace
