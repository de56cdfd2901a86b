// CRC_A and the 32-bit CRC: catalogue check values, the examples of the
// Type A standard, and long inputs against independent formulations.
#include "annex_crc_a.h"
#include "checksums.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using orvelin::Crc16;
using orvelin::Crc32;
using orvelin::kCrc16Start;
using testing_support::Bytes;
using testing_support::RandomBytes;

Bytes ascii(std::string_view s) {
    return {s.begin(), s.end()};
}

std::uint16_t CrcA(const Bytes& data) {
    std::uint16_t crc = kCrc16Start;
    Crc16(data, crc);
    return crc;
}

// The non-reflected CRC-32 of bit-reversed input, reversed back: the same
// register reached another way.
std::uint32_t MsbFirstCrc32(const Bytes& data) {
    const auto reverse8 = [](std::uint8_t b) {
        std::uint8_t r = 0;
        for (int i = 0; i < 8; ++i) {
            r = static_cast<std::uint8_t>(r << 1 | ((b >> i) & 1));
        }
        return r;
    };
    std::uint32_t crc = 0xFFFFFFFF;
    for (const std::uint8_t b : data) {
        crc ^= static_cast<std::uint32_t>(reverse8(b)) << 24;
        for (int i = 0; i < 8; ++i) {
            crc = (crc & 0x80000000U) != 0 ? (crc << 1) ^ 0x04C11DB7U : crc << 1;
        }
    }
    std::uint32_t reflected = 0;
    for (int i = 0; i < 32; ++i) {
        reflected = reflected << 1 | ((crc >> i) & 1U);
    }
    return reflected;
}

TEST(Checksums, CatalogueCheckValuesAndTypeAExamples) {
    EXPECT_EQ(CrcA(ascii("123456789")), 0xBF05);
    EXPECT_EQ(Crc32(ascii("123456789")), 0x340BC6D9U);
    EXPECT_EQ(~Crc32(ascii("123456789")), 0xCBF43926U); // the common CRC-32
    EXPECT_EQ(CrcA({0x00, 0x00}), 0x1EA0);
    EXPECT_EQ(CrcA({0x12, 0x34}), 0xCF26);
    EXPECT_EQ(CrcA({}), 0x6363);
    EXPECT_EQ(Crc32({}), 0xFFFFFFFFU);
}

TEST(Checksums, LongInputsAgreeWithIndependentComputations) {
    RandomBytes random;
    for (const std::size_t n : {1U, 254U, 255U, 256U, 1000U}) {
        const Bytes data = random(n);
        EXPECT_EQ(CrcA(data), AnnexCrcA(data)) << n;
        EXPECT_EQ(Crc32(data), MsbFirstCrc32(data)) << n;
    }
}

} // namespace
