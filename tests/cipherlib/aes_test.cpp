// The AES-128 engine: FIPS 197's examples, the stored tables, and aliasing.
#include "aes_tables.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

namespace {

using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::RandomBytes;
using testing_support::to_hex;
using Tables = tavik::aes::Tables;

// Multiplication in GF(2^8) modulo 0x11B, bit by bit: an independent oracle
// for the stored product tables.
std::uint8_t gf_multiply(std::uint8_t a, std::uint8_t b) {
    unsigned product = 0;
    unsigned x = a;
    for (; b != 0; b >>= 1) {
        if ((b & 1U) != 0) {
            product ^= x;
        }
        x = (x << 1) ^ (((x & 0x80U) != 0) ? 0x11bU : 0U);
    }
    return static_cast<std::uint8_t>(product);
}

// FIPS 197 Appendix A.1: every word of the expansion of 2b7e1516...
TEST(AesKnownAnswers, KeyExpansionOfAppendixA1) {
    const char* const expected = "2b7e151628aed2a6abf7158809cf4f3c"
                                 "a0fafe1788542cb123a339392a6c7605"
                                 "f2c295f27a96b9435935807a7359f67f"
                                 "3d80477d4716fe3e1e237e446d7a883b"
                                 "ef44a541a8525b7fb671253bdb0bad00"
                                 "d4d1c6f87c839d87caf2b8bc11f915bc"
                                 "6d88a37a110b3efddbf98641ca0093fd"
                                 "4e54f70e5f5fc9f384a64fb24ea6dc4f"
                                 "ead27321b58dbad2312bf5607f8d292f"
                                 "ac7766f319fadc2128d12941575c006e"
                                 "d014f9a8c9ee2589e13f0cc8b6630ca6";
    EXPECT_EQ(to_hex(calls::aes_schedule(from_hex("2b7e151628aed2a6abf7158809cf4f3c"))), expected);
}

// FIPS 197 Appendix C.1: AES-128 of 00112233... under 00010203...
TEST(AesKnownAnswers, CipherAndInverseCipherOfAppendixC1) {
    const Bytes key = from_hex("000102030405060708090a0b0c0d0e0f");
    const Bytes plain = from_hex("00112233445566778899aabbccddeeff");
    const Bytes cipher = from_hex("69c4e0d86a7b0430d8cdb78070b4c55a");
    const auto schedule = calls::aes_schedule(key);
    EXPECT_EQ(to_hex(std::span(schedule).last<TAVIK_AES_BLOCK_SIZE>()),
              "13111d7fe3944a17f307a78b4d2b30c5");
    EXPECT_EQ(calls::aes_ecb(true, key, plain), cipher);
    EXPECT_EQ(calls::aes_ecb(false, key, cipher), plain);
}

TEST(AesTables, SboxesInvertEachOther) {
    for (unsigned x = 0; x < 256; ++x) {
        EXPECT_EQ(Tables::inv_sbox[Tables::sbox[x]], x);
    }
    EXPECT_EQ(Tables::sbox[0x00], 0x63);
    EXPECT_EQ(Tables::sbox[0x53], 0xed); // FIPS 197 5.1.1's worked example
}

TEST(AesTables, ProductTablesMatchFieldMultiplication) {
    for (unsigned x = 0; x < 256; ++x) {
        const auto b = static_cast<std::uint8_t>(x);
        EXPECT_EQ(Tables::sbox_times2[x], gf_multiply(Tables::sbox[x], 2)) << x;
        EXPECT_EQ(Tables::sbox_times3[x], gf_multiply(Tables::sbox[x], 3)) << x;
        EXPECT_EQ(Tables::times9[x], gf_multiply(b, 9)) << x;
        EXPECT_EQ(Tables::times11[x], gf_multiply(b, 11)) << x;
        EXPECT_EQ(Tables::times13[x], gf_multiply(b, 13)) << x;
        EXPECT_EQ(Tables::times14[x], gf_multiply(b, 14)) << x;
    }
    std::uint8_t rcon = 1;
    for (std::size_t i = 1; i <= 10; ++i, rcon = gf_multiply(rcon, 2)) {
        EXPECT_EQ(Tables::round_constants[i], rcon) << i;
    }
}

TEST(AesProperties, DecryptUndoesEncryptInPlaceAndApart) {
    RandomBytes random;
    for (int trial = 0; trial < 200; ++trial) {
        const Bytes key = random(TAVIK_AES_KEY_SIZE);
        const auto schedule = calls::aes_schedule(key);
        const Bytes plain = random(TAVIK_AES_BLOCK_SIZE);
        Bytes apart(TAVIK_AES_BLOCK_SIZE);
        AES_Encrypt(plain.data(), schedule.data(), apart.data());
        Bytes in_place = plain;
        AES_Encrypt(in_place.data(), schedule.data(), in_place.data());
        EXPECT_EQ(in_place, apart);
        Bytes back(TAVIK_AES_BLOCK_SIZE);
        AES_Decrypt(apart.data(), schedule.data(), back.data());
        EXPECT_EQ(back, plain);
        AES_Decrypt(in_place.data(), schedule.data(), in_place.data());
        EXPECT_EQ(in_place, plain);
    }
}

TEST(AesProperties, ScheduleStartsWithTheKeyAndStaysWithinItsSize) {
    RandomBytes random;
    const Bytes key = random(TAVIK_AES_KEY_SIZE);
    Bytes buffer(TAVIK_AES_SCHEDULE_SIZE + TAVIK_AES_BLOCK_SIZE, 0xa5);
    EXPECT_EQ(AES_ExpandKey(key.data(), buffer.data()), TAVIK_DONE);
    EXPECT_TRUE(std::equal(key.begin(), key.end(), buffer.begin()));
    EXPECT_EQ(Bytes(buffer.begin() + TAVIK_AES_SCHEDULE_SIZE, buffer.end()),
              Bytes(TAVIK_AES_BLOCK_SIZE, 0xa5));
}

// All-zero key and block: FIPS 197-conformant answer, no special case.
TEST(AesProperties, ZeroKeyAndBlockAreOrdinary) {
    EXPECT_EQ(
        to_hex(calls::aes_ecb(true, Bytes(TAVIK_AES_KEY_SIZE, 0), Bytes(TAVIK_AES_BLOCK_SIZE, 0))),
        "66e94bd4ef8a2c3b884cfa59ca342b2e");
}

} // namespace
