// CRC_B of ISO/IEC 14443-3 Type B: the catalogue check value, and the
// standard's example frame against the byte-wise program of its Annex B.
#include "checksums.h"
#include "hex.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using testing_support::Bytes;

// ISO/IEC 14443-3 Annex B's UpdateCrc from 0xFFFF, complemented at the end:
// written apart from the program's bitwise register.
std::uint16_t AnnexCrcB(const Bytes& data) {
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t ch : data) {
        ch = static_cast<std::uint8_t>(ch ^ (crc & 0x00FF));
        ch = static_cast<std::uint8_t>(ch ^ (ch << 4));
        crc = static_cast<std::uint16_t>((crc >> 8) ^ (ch << 8) ^ (ch << 3) ^ (ch >> 4));
    }
    return static_cast<std::uint16_t>(~crc);
}

TEST(CrcB, CheckValueExampleFrameAndByteOrder) {
    constexpr std::string_view check = "123456789";
    EXPECT_EQ(orvelin::CrcB(Bytes(check.begin(), check.end())), 0x906E);
    const Bytes frame{0x0A, 0x12, 0x34, 0x56};
    EXPECT_EQ(orvelin::CrcB(frame), AnnexCrcB(frame));
    // Shown as CRC_A is: the byte transmitted first, first.
    const std::uint16_t crc = orvelin::CrcB(frame);
    EXPECT_EQ(orvelin::CrcBShown(frame),
              (Bytes{static_cast<std::uint8_t>(crc & 0xFF), static_cast<std::uint8_t>(crc >> 8)}));
    EXPECT_EQ(orvelin::CrcB({}), 0x0000);
}

TEST(CrcB, LongInputsAgreeWithTheAnnexProgram) {
    testing_support::RandomBytes random;
    for (const std::size_t n : {1U, 255U, 256U, 1000U}) {
        const Bytes data = random(n);
        EXPECT_EQ(orvelin::CrcB(data), AnnexCrcB(data)) << n;
    }
}

} // namespace
