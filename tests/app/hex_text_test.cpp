// The hex reading and writing rules, without a display.
#include "hex_text.h"
#include "typing_filter.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using orvelin::ReadHex;
using orvelin::WriteHex;

struct ReadingCase {
    const char* text;
    std::vector<std::uint8_t> bytes;
};

TEST(HexReading, ExamplesOfTheRule) {
    const ReadingCase cases[] = {
        {"", {}},
        {"     ", {}},
        {"0", {0x00}},
        {"A", {0x0A}},
        {"ABC", {0xAB, 0x0C}},
        {"aBcD", {0xAB, 0xCD}},
        {"0123456789ABCDEF", {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
        {"12 34 56", {0x12, 0x34, 0x56}},
        {" 1 2 3 ", {0x12, 0x03}},
        {"f f", {0xFF}},
    };
    for (const auto& [text, bytes] : cases) {
        std::array<std::uint8_t, 16> buffer{};
        const auto reading = ReadHex(text, buffer);
        EXPECT_EQ(reading.count, bytes.size()) << '"' << text << '"';
        EXPECT_TRUE(reading.only_hex_digits) << text;
        EXPECT_EQ(std::vector(buffer.begin(), buffer.begin() + static_cast<long>(bytes.size())),
                  bytes)
            << text;
    }
}

TEST(HexReading, EmptyTextLeavesTheDestinationUntouched) {
    std::array<std::uint8_t, 4> buffer = {1, 2, 3, 4};
    EXPECT_EQ(ReadHex("   ", buffer).count, 0U);
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
}

TEST(HexReading, CharactersOtherThanDigitsAndSpacesAreFlaggedAndStillCounted) {
    for (const char* text : {"12%4", "'", "1.", "0x12", "12\t34", "12-34", "\xC3\xA9"}) {
        std::array<std::uint8_t, 8> buffer{};
        const auto reading = ReadHex(text, buffer);
        EXPECT_FALSE(reading.only_hex_digits) << text;
        const std::size_t n = std::string_view(text).size();
        EXPECT_EQ(reading.count, n / 2 + n % 2) << text;
    }
}

TEST(HexReading, CountsEverythingButWritesOnlyWhatFits) {
    const std::string text(601, '7'); // 301 bytes by the rule
    std::array<std::uint8_t, 260> buffer{};
    buffer.fill(0xEE);
    const auto reading = ReadHex(text, std::span(buffer).first(256));
    EXPECT_EQ(reading.count, 301U);
    EXPECT_EQ(buffer[255], 0x77);
    EXPECT_EQ(buffer[256], 0xEE);
    EXPECT_EQ(buffer[259], 0xEE);
    std::array<std::uint8_t, 1> one{};
    EXPECT_EQ(ReadHex("ABCDEF", std::span(one)).count, 3U);
    EXPECT_EQ(one[0], 0xAB);
    EXPECT_EQ(ReadHex("ABCDEF", std::span<std::uint8_t>()).count, 3U);
}

TEST(HexWriting, TwoUpperCaseDigitsPerByteAndReadingGivesThemBack) {
    EXPECT_EQ(WriteHex(std::vector<std::uint8_t>(8, 0)), "0000000000000000");
    EXPECT_EQ(WriteHex(std::vector<std::uint8_t>{0x00, 0x0F, 0xA5}), "000FA5");
    EXPECT_EQ(WriteHex({}), "");
    std::vector<std::uint8_t> all(256);
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<std::uint8_t>(i);
    }
    std::array<std::uint8_t, 256> back{};
    const auto reading = ReadHex(WriteHex(all), back);
    EXPECT_EQ(reading.count, 256U);
    EXPECT_TRUE(std::equal(all.begin(), all.end(), back.begin()));
}

} // namespace

namespace {

TEST(TypingFilter, PassesHexDigitsBackspaceAndThreeMarksOnly) {
    for (const char32_t c : {U'0', U'9', U'A', U'F', U'a', U'f', U'%', U'\'', U'.', char32_t{8}}) {
        EXPECT_TRUE(orvelin::PassesTypingFilter(false, c)) << static_cast<int>(c);
    }
    for (const char32_t c : {U'g', U'G', U'x', U'-', U':', U' ', U'/', U'@', U'`', U'\u00e9',
                             char32_t{22}, char32_t{3}, char32_t{127}}) {
        EXPECT_FALSE(orvelin::PassesTypingFilter(false, c)) << static_cast<int>(c);
        EXPECT_TRUE(orvelin::PassesTypingFilter(true, c)) << static_cast<int>(c);
    }
}

} // namespace
