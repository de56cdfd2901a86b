// The hex text rules on arbitrary text: ReadHex into destinations of every
// size, against a model of the rule, and WriteHex read back.
// Input: bytes 0-1 the destination size (little-endian, low 12 bits), then
// the text.
#include "fuzz_check.h"
#include "hex_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using orvelin::fuzz::Require;
using orvelin::fuzz::Same;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kHeaderSize = 2;
constexpr std::size_t kSizeMask = 0x0FFF;
constexpr std::size_t kGuardSize = 16;
constexpr std::uint8_t kUnwritten = 0xA5;
constexpr std::string_view kLowerDigits = "0123456789abcdef";
constexpr std::string_view kUpperDigits = "0123456789ABCDEF";

struct HexCase {
    std::size_t destination_size = 0;
    std::string_view text;
};

HexCase Decode(std::span<const std::uint8_t> input) {
    if (input.size() < kHeaderSize) {
        return {};
    }
    const std::size_t size = (input[0] | std::size_t{input[1]} << 8) & kSizeMask;
    const auto text = input.subspan(kHeaderSize);
    return {size, {reinterpret_cast<const char*>(text.data()), text.size()}};
}

bool IsHexDigit(char c) {
    return kLowerDigits.find(c) != std::string_view::npos ||
           kUpperDigits.find(c) != std::string_view::npos;
}

// What a character stands for; anything but a digit reads as 0.
unsigned NibbleOf(char c) {
    const auto lower = kLowerDigits.find(c);
    const auto upper = kUpperDigits.find(c);
    return static_cast<unsigned>(lower != std::string_view::npos   ? lower
                                 : upper != std::string_view::npos ? upper
                                                                   : 0);
}

// Byte `index` of the text once spaces are gone: a pair high nibble first,
// or a lone last digit as the low nibble.
std::uint8_t ModelByte(std::string_view digits, std::size_t index) {
    const unsigned first = NibbleOf(digits[2 * index]);
    if (2 * index + 1 == digits.size()) {
        return static_cast<std::uint8_t>(first);
    }
    return static_cast<std::uint8_t>(first << 4 | NibbleOf(digits[2 * index + 1]));
}

void CheckReading(const HexCase& c) {
    Bytes destination(c.destination_size, kUnwritten);
    const orvelin::HexReading reading = orvelin::ReadHex(c.text, destination);

    // The same call again into the front of a buffer with guard bytes behind.
    Bytes guarded(c.destination_size + kGuardSize, kUnwritten);
    const auto front = std::span(guarded).first(c.destination_size);
    const orvelin::HexReading again = orvelin::ReadHex(c.text, front);
    Require(again.count == reading.count && again.only_hex_digits == reading.only_hex_digits);
    Require(Same(front, destination));
    Require(std::ranges::all_of(std::span(guarded).subspan(c.destination_size),
                                [](std::uint8_t b) { return b == kUnwritten; }));

    std::string digits(c.text);
    std::erase(digits, ' ');
    Require(reading.count == digits.size() / 2 + digits.size() % 2);
    Require(reading.only_hex_digits == std::ranges::all_of(digits, IsHexDigit));
    for (std::size_t i = 0; i < std::min(reading.count, destination.size()); ++i) {
        Require(destination[i] == ModelByte(digits, i));
    }
}

void CheckWriting(std::span<const std::uint8_t> bytes) {
    const std::string text = orvelin::WriteHex(bytes);
    Require(text.size() == 2 * bytes.size());
    Require(std::ranges::all_of(
        text, [](char c) { return kUpperDigits.find(c) != std::string_view::npos; }));
    Bytes back(bytes.size());
    const orvelin::HexReading reading = orvelin::ReadHex(text, back);
    Require(reading.count == bytes.size() && reading.only_hex_digits && Same(back, bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    CheckReading(Decode(input));
    CheckWriting(input);
    return 0;
}
