// CBC over the DES family: the four mode combinations and the chaining value
// carried in the caller's IV buffer.
#include "byte_ops.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using calls::kCbcDecrypt;
using calls::kCbcEncrypt;
using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::RandomBytes;
using testing_support::slice;
using testing_support::xor_of;

// Bit 0 of the mode is the block direction, bit 1 the chaining direction.
constexpr std::uint8_t kBlockDirectionBit = 0x01;
constexpr std::uint8_t kChainingDirectionBit = 0x02;
static_assert((kBlockDirectionBit | kChainingDirectionBit) == TAVIK_MODE_CBC_DECRYPT);

// Every combination of the two bits: the two CBC modes and the two mixed ones.
constexpr std::array<std::uint8_t, 4> kAllModes = {kCbcEncrypt, kBlockDirectionBit,
                                                   kChainingDirectionBit, kCbcDecrypt};

// Block `index` of `b`, counted from 0.
Bytes block_at(const Bytes& b, std::size_t index) {
    return slice(b, index * TAVIK_DES_BLOCK_SIZE, TAVIK_DES_BLOCK_SIZE);
}

struct CbcCase {
    const char* name;
    calls::CbcFunction f;
    std::size_t key_size;
};

const CbcCase kCbcFunctions[] = {
    {"DES", EnOrDecrypt_DES_CBC, TAVIK_DES_KEY_SIZE},
    {"3DES", EnOrDecrypt_3DES_CBC, TAVIK_2TDES_KEY_SIZE},
    {"3DES_3KEY", EnOrDecrypt_3DES_3KEY_CBC, TAVIK_3TDES_KEY_SIZE},
};

// The family's block function on one block, as the CBC function uses it.
Bytes block(const CbcCase& c, std::uint8_t direction, const Bytes& key, const Bytes& b) {
    if (c.key_size == TAVIK_DES_KEY_SIZE) {
        return calls::des_ecb(direction, key, b);
    }
    return calls::ecb(c.key_size == TAVIK_2TDES_KEY_SIZE ? EnOrDecrypt_3DES : EnOrDecrypt_3DES_3KEY,
                      direction, key, b);
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
        const Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
        const Bytes p = random(TAVIK_DES_BLOCK_SIZE);
        for (const std::uint8_t mode : kAllModes) {
            Bytes v = iv;
            Bytes data = p;
            ASSERT_EQ(c.f(mode, key.data(), v.data(), TAVIK_DES_BLOCK_SIZE, data.data()),
                      TAVIK_DONE);
            const std::uint8_t direction =
                (mode & kBlockDirectionBit) != 0 ? calls::kDecrypt : calls::kEncrypt;
            const bool decryption_chaining = (mode & kChainingDirectionBit) != 0;
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
        const Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
        const Bytes plain = random(5 * TAVIK_DES_BLOCK_SIZE);
        const auto cbc = [&](std::uint8_t mode, const Bytes& data) {
            return calls::cbc(c.f, mode, key, iv, data);
        };
        EXPECT_EQ(cbc(4, plain), cbc(kCbcEncrypt, plain));
        EXPECT_EQ(cbc(7, plain), cbc(kCbcDecrypt, plain));
        EXPECT_EQ(cbc(255, plain), cbc(kCbcDecrypt, plain));
        EXPECT_EQ(cbc(kCbcDecrypt, cbc(kCbcEncrypt, plain)), plain);
        EXPECT_EQ(cbc(kChainingDirectionBit, cbc(kBlockDirectionBit, plain)), plain);
        EXPECT_NE(cbc(kChainingDirectionBit, plain), cbc(kCbcDecrypt, plain));
    }
}

TEST(DesCbcChaining, OneCallEqualsChainedCallsSharingTheIvBuffer) {
    RandomBytes random;
    for (const auto& c : kCbcFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
        for (const std::uint8_t mode : {kCbcEncrypt, kCbcDecrypt}) {
            Bytes whole = random(4 * TAVIK_DES_BLOCK_SIZE);
            Bytes pieces = whole;
            Bytes whole_iv = iv;
            Bytes pieces_iv = iv;
            c.f(mode, key.data(), whole_iv.data(), static_cast<std::uint32_t>(whole.size()),
                whole.data());
            for (std::size_t offset = 0; offset < pieces.size(); offset += TAVIK_DES_BLOCK_SIZE) {
                c.f(mode, key.data(), pieces_iv.data(), TAVIK_DES_BLOCK_SIZE,
                    pieces.data() + offset);
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
        const Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
        const Bytes plain = random(4 * TAVIK_DES_BLOCK_SIZE);
        const Bytes cipher =
            calls::cbc(c.f, kCbcEncrypt, key, Bytes(TAVIK_DES_BLOCK_SIZE, 0), plain);
        EXPECT_EQ(block_at(cipher, 0), block(c, calls::kEncrypt, key, block_at(plain, 0)));
        Bytes damaged = calls::cbc(c.f, kCbcEncrypt, key, iv, plain);
        damaged[TAVIK_DES_BLOCK_SIZE + 3] ^= 0x40; // byte 3 of block 1
        const Bytes recovered = calls::cbc(c.f, kCbcDecrypt, key, iv, damaged);
        EXPECT_EQ(block_at(recovered, 0), block_at(plain, 0));
        EXPECT_NE(block_at(recovered, 1), block_at(plain, 1));
        EXPECT_EQ(xor_of(block_at(plain, 2), block_at(recovered, 2)), from_hex("0000004000000000"));
        EXPECT_EQ(block_at(recovered, 3), block_at(plain, 3));
    }
}

TEST(DesCbcLengths, ZeroDoesNothingAndPartialBlocksLeaveDataAndIvUntouched) {
    RandomBytes random;
    for (const auto& c : kCbcFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
        Bytes data = random(3 * TAVIK_DES_BLOCK_SIZE);
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
    const Bytes half = random(TAVIK_DES_KEY_SIZE);
    Bytes doubled = half;
    doubled.insert(doubled.end(), half.begin(), half.end());
    Bytes tripled = doubled;
    tripled.insert(tripled.end(), half.begin(), half.end());
    const Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
    const Bytes data = random(4 * TAVIK_DES_BLOCK_SIZE);
    for (const std::uint8_t mode : kAllModes) {
        const Bytes single = calls::cbc(EnOrDecrypt_DES_CBC, mode, half, iv, data);
        EXPECT_EQ(calls::cbc(EnOrDecrypt_3DES_CBC, mode, doubled, iv, data), single);
        EXPECT_EQ(calls::cbc(EnOrDecrypt_3DES_3KEY_CBC, mode, tripled, iv, data), single);
    }
}

} // namespace
