// CMAC over AES-128 and triple DES: the standards' examples, the K1/K2
// boundary, the IV as starting chain, aliasing and out-of-contract lengths.
#include "byte_ops.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::join;
using testing_support::RandomBytes;
using testing_support::to_hex;
using testing_support::xor_of;

const Bytes kAesZeroIv(TAVIK_AES_BLOCK_SIZE, 0);
const Bytes kDesZeroIv(TAVIK_DES_BLOCK_SIZE, 0);

const Bytes kMessage =
    from_hex("6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51"
             "30c81c46a35ce411e5fbc1191a0a52ef f69f2445df4f9b17ad2b417be66c3710");

Bytes prefix(std::size_t count) {
    return {kMessage.begin(), kMessage.begin() + static_cast<std::ptrdiff_t>(count)};
}

struct MacAnswer {
    std::size_t length;
    const char* mac;
};

// RFC 4493 section 4 (the same examples as SP 800-38B D.1).
TEST(CmacKnownAnswers, Rfc4493AesExamples) {
    const Bytes key = from_hex("2b7e151628aed2a6abf7158809cf4f3c");
    for (const auto& [length, mac] : {MacAnswer{0, "bb1d6929e95937287fa37d129b756746"},
                                      MacAnswer{16, "070a16b46b4d4144f79bdd9dd04a287c"},
                                      MacAnswer{40, "dfa66747de9ae63030ca32611497c827"},
                                      MacAnswer{64, "51f0bebf7e3b9d92fc49741779363cfe"}}) {
        EXPECT_EQ(to_hex(calls::cmac(AES_CMAC, key, prefix(length), kAesZeroIv)), mac) << length;
    }
}

// SP 800-38B D.4 (three-key TDEA) and D.5 (two-key TDEA).
TEST(CmacKnownAnswers, Sp80038bTdeaExamples) {
    const Bytes three_keys = from_hex("8aa83bf8cbda1062 0bc1bf19fbb6cd58 bc313d4a371ca8b5");
    const Bytes two_keys = from_hex("4cf15134a2850dd5 8a3d10ba80570d38");
    const MacAnswer three[] = {{0, "b7a688e122ffaf95"},
                               {8, "8e8f293136283797"},
                               {20, "743ddbe0ce2dc2ed"},
                               {32, "33e6b1092400eae5"}};
    const MacAnswer two[] = {{0, "bd2ebf9a3ba00361"},
                             {8, "4ff2ab813c53ce83"},
                             {20, "62dd1b471902bd4e"},
                             {32, "31b1e431dabc4eb8"}};
    for (const auto& [length, mac] : three) {
        EXPECT_EQ(to_hex(calls::cmac(TDES_3KEY_CMAC, three_keys, prefix(length), kDesZeroIv)), mac);
    }
    for (const auto& [length, mac] : two) {
        EXPECT_EQ(to_hex(calls::cmac(TDES_CMAC, two_keys, prefix(length), kDesZeroIv)), mac);
    }
}

struct CmacCase {
    const char* name;
    calls::CmacFunction f;
    std::size_t key_size;
    std::size_t block;
    calls::EcbFunction tdes; // null for AES
};

const CmacCase kCmacFunctions[] = {
    {"AES", AES_CMAC, TAVIK_AES_KEY_SIZE, TAVIK_AES_BLOCK_SIZE, nullptr},
    {"TDES", TDES_CMAC, TAVIK_2TDES_KEY_SIZE, TAVIK_DES_BLOCK_SIZE, EnOrDecrypt_3DES},
    {"TDES_3KEY", TDES_3KEY_CMAC, TAVIK_3TDES_KEY_SIZE, TAVIK_DES_BLOCK_SIZE,
     EnOrDecrypt_3DES_3KEY},
};

Bytes encrypt_block(const CmacCase& c, const Bytes& key, const Bytes& block) {
    return c.tdes == nullptr ? calls::aes_ecb(true, key, block)
                             : calls::ecb(c.tdes, calls::kEncrypt, key, block);
}

// A message of one whole block uses K1; one byte more pads with K2.
TEST(CmacSubkeys, WholeLastBlockUsesK1AndOneMoreByteUsesK2) {
    RandomBytes random;
    for (const auto& c : kCmacFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes zero(c.block, 0);
        const std::uint8_t rb = c.block == TAVIK_AES_BLOCK_SIZE ? 0x87 : 0x1b;
        const Bytes k1 = testing_support::cmac_double(encrypt_block(c, key, zero), rb);
        const Bytes k2 = testing_support::cmac_double(k1, rb);
        const Bytes block = random(c.block);
        EXPECT_EQ(calls::cmac(c.f, key, block, zero), encrypt_block(c, key, xor_of(block, k1)));
        Bytes longer = block;
        longer.push_back(0x42);
        Bytes padded(c.block, 0);
        padded[0] = 0x42;
        padded[1] = 0x80;
        const Bytes chained = encrypt_block(c, key, block);
        EXPECT_EQ(calls::cmac(c.f, key, longer, zero),
                  encrypt_block(c, key, xor_of(xor_of(padded, k2), chained)));
        Bytes empty_padded(c.block, 0);
        empty_padded[0] = 0x80;
        EXPECT_EQ(calls::cmac(c.f, key, {}, zero), encrypt_block(c, key, xor_of(empty_padded, k2)));
    }
}

TEST(CmacChaining, TheIvIsTheChainBeforeTheFirstBlockAndIsNeverWritten) {
    RandomBytes random;
    for (const auto& c : kCmacFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes message = random(3 * c.block + 5);
        const Bytes iv = random(c.block);
        Bytes iv_copy = iv;
        Bytes mac(c.block);
        c.f(key.data(), message.data(), static_cast<std::int16_t>(message.size()), mac.data(),
            iv_copy.data());
        EXPECT_EQ(iv_copy, iv);
        EXPECT_EQ(calls::cmac(c.f, key, message, iv), mac);
        EXPECT_NE(calls::cmac(c.f, key, message, Bytes(c.block, 0)), mac);
        // A non-zero IV is the same as XORing it into the first block.
        Bytes shifted = message;
        for (std::size_t i = 0; i < c.block; ++i) {
            shifted[i] ^= iv[i];
        }
        EXPECT_EQ(calls::cmac(c.f, key, shifted, Bytes(c.block, 0)), mac);
    }
}

TEST(CmacBuffers, MacMayOverwriteTheStartOfTheMessage) {
    RandomBytes random;
    for (const auto& c : kCmacFunctions) {
        SCOPED_TRACE(c.name);
        const Bytes key = random(c.key_size);
        const Bytes iv = random(c.block);
        for (const std::size_t length : {c.block, 2 * c.block + 3, std::size_t{64}}) {
            Bytes buffer = random(length);
            const Bytes message = buffer;
            const Bytes expected = calls::cmac(c.f, key, message, iv);
            c.f(key.data(), buffer.data(), static_cast<std::int16_t>(length), buffer.data(),
                iv.data());
            EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + static_cast<long>(c.block)), expected);
            EXPECT_TRUE(std::equal(buffer.begin() + static_cast<long>(c.block), buffer.end(),
                                   message.begin() + static_cast<long>(c.block)));
        }
    }
}

TEST(CmacKeys, TwoKeyFormReadsSixteenBytesAndEqualsThreeKeyWithK3EqualK1) {
    RandomBytes random;
    const Bytes k1 = random(TAVIK_DES_KEY_SIZE);
    const Bytes k2 = random(TAVIK_DES_KEY_SIZE);
    const Bytes message = random(37);
    const Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
    const Bytes expected = calls::cmac(TDES_CMAC, join({k1, k2}), message, iv);
    EXPECT_EQ(calls::cmac(TDES_CMAC, join({k1, k2, random(TAVIK_DES_KEY_SIZE)}), message, iv),
              expected);
    EXPECT_EQ(calls::cmac(TDES_3KEY_CMAC, join({k1, k2, k1}), message, iv), expected);
    EXPECT_EQ(calls::cmac(TDES_CMAC, join({k1, k1}), message, iv),
              calls::cmac(TDES_3KEY_CMAC, join({k1, k1, k1}), message, iv));
}

TEST(CmacLengths, LimitsOfTheContractAreAcceptedAndCallsBeyondRefusedUntouched) {
    RandomBytes random;
    const Bytes key = random(TAVIK_3TDES_KEY_SIZE);
    const Bytes iv = random(TAVIK_AES_BLOCK_SIZE);
    const Bytes message = random(TAVIK_AES_CMAC_MAX_LENGTH);
    Bytes mac(TAVIK_AES_BLOCK_SIZE, 0xee);
    const auto call = [&](calls::CmacFunction f, std::int16_t length) {
        return f(key.data(), message.data(), length, mac.data(), iv.data());
    };
    EXPECT_EQ(call(AES_CMAC, TAVIK_AES_CMAC_MAX_LENGTH), TAVIK_DONE);
    EXPECT_EQ(call(TDES_CMAC, TAVIK_TDES_CMAC_MAX_LENGTH), TAVIK_DONE);
    EXPECT_EQ(call(TDES_3KEY_CMAC, TAVIK_TDES_CMAC_MAX_LENGTH), TAVIK_DONE);
    const Bytes before = mac;
    EXPECT_EQ(call(AES_CMAC, -1), TAVIK_CMAC_LENGTH_OUT_OF_RANGE);
    constexpr std::array<std::int16_t, 4> kBeyondTdes = {
        -1, std::numeric_limits<std::int16_t>::min(), TAVIK_TDES_CMAC_MAX_LENGTH + 1,
        TAVIK_AES_CMAC_MAX_LENGTH};
    for (const auto f : {TDES_CMAC, TDES_3KEY_CMAC}) {
        for (const std::int16_t length : kBeyondTdes) {
            EXPECT_EQ(call(f, length), TAVIK_CMAC_LENGTH_OUT_OF_RANGE) << length;
        }
    }
    EXPECT_EQ(mac, before);
}

TEST(CmacLengths, EmptyMessageNeverReadsData) {
    RandomBytes random;
    for (const auto& c : kCmacFunctions) {
        const Bytes key = random(c.key_size);
        const Bytes iv = random(c.block);
        Bytes from_null(c.block);
        c.f(key.data(), nullptr, 0, from_null.data(), iv.data());
        EXPECT_EQ(from_null, calls::cmac(c.f, key, {}, iv)) << c.name;
    }
}

} // namespace
