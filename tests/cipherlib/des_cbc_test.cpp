// CBC over the DES family: the four mode combinations and the chaining value
// carried in the caller's IV buffer.
#include "byte_ops.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

namespace {

using calls::kCbcDecrypt;
using calls::kCbcEncrypt;
using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::RandomBytes;
using testing_support::xor_of;

struct CbcCase {
    const char* name;
    calls::CbcFunction f;
    std::size_t key_size;
};

const CbcCase kCbcFunctions[] = {
    {"DES", EnOrDecrypt_DES_CBC, 8},
    {"3DES", EnOrDecrypt_3DES_CBC, 16},
    {"3DES_3KEY", EnOrDecrypt_3DES_3KEY_CBC, 24},
};

// The family's block function on one 8-byte block, as the CBC function uses it.
Bytes block(const CbcCase& c, std::uint8_t direction, const Bytes& key, const Bytes& b) {
    if (c.key_size == 8) {
        return calls::des_ecb(direction, key, b);
    }
    return calls::ecb(c.key_size == 16 ? EnOrDecrypt_3DES : EnOrDecrypt_3DES_3KEY, direction, key,
                      b);
}

// FIPS 81 / SP 800-38A style single-DES CBC example: "Now is the time for all ".
TEST(DesCbcKnownAnswer, FipsCbcExample) {
    const Bytes key = from_hex("0123456789ABCDEF");
    const Bytes iv = from_hex("1234567890ABCDEF");
    const Bytes plain = from_hex("4E6F77206973207468652074696D6520666F7220616C6C20");
    const Bytes cipher = from_hex("E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6");
    EXPECT_EQ(calls::cbc(EnOrDecrypt_DES_CBC, kCbcEncrypt, key, iv, plain), cipher);
    EXPECT_EQ(calls::cbc(EnOrDecrypt_DES_CBC, kCbcDecrypt, key, iv, cipher), plain);
}

TEST(DesCbcModes, EachModeIsItsTableRowAndIvEndsOnTheCiphertextSide) {
    RandomBytes random;
    for (const auto& c : kCbcFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes iv = random(8);
        const Bytes p = random(8);
        for (const std::uint8_t mode : {0, 1, 2, 3}) {
            Bytes v = iv;
            Bytes data = p;
            ASSERT_EQ(c.f(mode, key.data(), v.data(), 8, data.data()), TAVIK_DONE);
            const std::uint8_t direction = mode & 1;
            const bool decryption_chaining = (mode & 2) != 0;
            const Bytes expected = decryption_chaining ? xor_of(block(c, direction, key, p), iv)
                                                       : block(c, direction, key, xor_of(p, iv));
            EXPECT_EQ(data, expected) << "mode " << int(mode);
            EXPECT_EQ(v, decryption_chaining ? p : expected) << "mode " << int(mode);
        }
    }
}

TEST(DesCbcModes, HighBitsAreIgnoredAndModesUndoTheirPartners) {
    RandomBytes random;
    for (const auto& c : kCbcFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes iv = random(8);
        const Bytes plain = random(40);
        EXPECT_EQ(calls::cbc(c.f, 4, key, iv, plain), calls::cbc(c.f, 0, key, iv, plain));
        EXPECT_EQ(calls::cbc(c.f, 7, key, iv, plain), calls::cbc(c.f, 3, key, iv, plain));
        EXPECT_EQ(calls::cbc(c.f, 255, key, iv, plain), calls::cbc(c.f, 3, key, iv, plain));
        EXPECT_EQ(calls::cbc(c.f, 3, key, iv, calls::cbc(c.f, 0, key, iv, plain)), plain);
        EXPECT_EQ(calls::cbc(c.f, 2, key, iv, calls::cbc(c.f, 1, key, iv, plain)), plain);
        EXPECT_NE(calls::cbc(c.f, 2, key, iv, plain), calls::cbc(c.f, 3, key, iv, plain));
    }
}

TEST(DesCbcChaining, OneCallEqualsChainedCallsSharingTheIvBuffer) {
    RandomBytes random;
    for (const auto& c : kCbcFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes iv = random(8);
        for (const std::uint8_t mode : {kCbcEncrypt, kCbcDecrypt}) {
            Bytes whole = random(32);
            Bytes pieces = whole;
            Bytes whole_iv = iv;
            Bytes pieces_iv = iv;
            c.f(mode, key.data(), whole_iv.data(), 32, whole.data());
            for (std::size_t offset = 0; offset < 32; offset += 8) {
                c.f(mode, key.data(), pieces_iv.data(), 8, pieces.data() + offset);
            }
            EXPECT_EQ(pieces, whole);
            EXPECT_EQ(pieces_iv, whole_iv);
        }
    }
}

TEST(DesCbcChaining, ZeroIvFirstBlockIsEcbAndACorruptedBlockSpoilsOnlyTwo) {
    RandomBytes random;
    for (const auto& c : kCbcFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes iv = random(8);
        const Bytes plain = random(32);
        const Bytes cipher = calls::cbc(c.f, kCbcEncrypt, key, Bytes(8, 0), plain);
        EXPECT_EQ(Bytes(cipher.begin(), cipher.begin() + 8),
                  block(c, 0, key, Bytes(plain.begin(), plain.begin() + 8)));
        Bytes damaged = calls::cbc(c.f, kCbcEncrypt, key, iv, plain);
        damaged[8 + 3] ^= 0x40;
        const Bytes recovered = calls::cbc(c.f, kCbcDecrypt, key, iv, damaged);
        EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 8, recovered.begin()));
        EXPECT_NE(Bytes(recovered.begin() + 8, recovered.begin() + 16),
                  Bytes(plain.begin() + 8, plain.begin() + 16));
        Bytes third = xor_of(Bytes(plain.begin() + 16, plain.begin() + 24),
                             Bytes(recovered.begin() + 16, recovered.begin() + 24));
        EXPECT_EQ(third, from_hex("0000004000000000"));
        EXPECT_TRUE(std::equal(plain.begin() + 24, plain.end(), recovered.begin() + 24));
    }
}

TEST(DesCbcLengths, ZeroDoesNothingAndPartialBlocksLeaveDataAndIvUntouched) {
    RandomBytes random;
    for (const auto& c : kCbcFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        Bytes iv = random(8);
        Bytes data = random(24);
        const Bytes iv_before = iv;
        const Bytes data_before = data;
        EXPECT_EQ(c.f(kCbcEncrypt, key.data(), iv.data(), 0, data.data()), TAVIK_DONE);
        for (const std::uint32_t length : {4U, 12U, 20U}) {
            EXPECT_EQ(c.f(kCbcEncrypt, key.data(), iv.data(), length, data.data()),
                      TAVIK_LENGTH_NOT_MULTIPLE_OF_8);
        }
        EXPECT_EQ(iv, iv_before);
        EXPECT_EQ(data, data_before);
    }
}

TEST(DesCbcKeys, EqualHalvesReduceToSingleDes) {
    RandomBytes random;
    const Bytes half = random(8);
    Bytes doubled = half;
    doubled.insert(doubled.end(), half.begin(), half.end());
    Bytes tripled = doubled;
    tripled.insert(tripled.end(), half.begin(), half.end());
    const Bytes iv = random(8);
    const Bytes data = random(32);
    for (const std::uint8_t mode : {0, 1, 2, 3}) {
        const Bytes single = calls::cbc(EnOrDecrypt_DES_CBC, mode, half, iv, data);
        EXPECT_EQ(calls::cbc(EnOrDecrypt_3DES_CBC, mode, doubled, iv, data), single);
        EXPECT_EQ(calls::cbc(EnOrDecrypt_3DES_3KEY_CBC, mode, tripled, iv, data), single);
    }
}

} // namespace
