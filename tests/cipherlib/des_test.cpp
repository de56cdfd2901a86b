// The DES engine and the two triple-DES ECB forms.
#include "calls.h"
#include "des_tables.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

using calls::kDecrypt;
using calls::kEncrypt;
using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::RandomBytes;
using testing_support::to_hex;
using Tables = tavik::des::Tables;

struct DesAnswer {
    const char* key;
    const char* plain;
    const char* cipher;
};

// FIPS 46-3 validation examples, as tabulated in NIST SP 800-20 (variable
// plaintext, variable key, permutation and substitution tests), and the
// classic single-block examples of the DES literature.
constexpr DesAnswer kDesAnswers[] = {
    {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
    {"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
    {"0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
    {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"4001010101010101", "0000000000000000", "0EEC1487DD8C26D5"},
    {"1046913489980131", "0000000000000000", "88D55E54F54C97B4"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
};

TEST(DesKnownAnswers, EncryptAndDecryptEveryExample) {
    for (const auto& [key, plain, cipher] : kDesAnswers) {
        SCOPED_TRACE(key);
        EXPECT_EQ(to_hex(calls::des_ecb(kEncrypt, from_hex(key), from_hex(plain))),
                  to_hex(from_hex(cipher)));
        EXPECT_EQ(to_hex(calls::des_ecb(kDecrypt, from_hex(key), from_hex(cipher))),
                  to_hex(from_hex(plain)));
    }
}

TEST(DesTables, EachSboxRowIsAPermutationOfSixteenValues) {
    for (const auto& box : Tables::sboxes) {
        for (std::size_t row = 0; row < 4; ++row) {
            std::array<std::uint8_t, 16> values{};
            std::copy_n(box.begin() + 16 * row, 16, values.begin());
            std::sort(values.begin(), values.end());
            std::array<std::uint8_t, 16> expected{};
            std::iota(expected.begin(), expected.end(), 0);
            EXPECT_EQ(values, expected);
        }
    }
}

TEST(DesTables, FinalPermutationIsTheInverseOfIpWithHalvesExchanged) {
    std::array<std::uint8_t, 64> inverse{};
    for (std::size_t i = 0; i < 64; ++i) {
        inverse[Tables::initial_permutation[i] - 1U] = static_cast<std::uint8_t>(i + 1);
    }
    for (std::size_t i = 0; i < 64; ++i) {
        const int exchanged = inverse[i] <= 32 ? inverse[i] + 32 : inverse[i] - 32;
        EXPECT_EQ(Tables::final_permutation[i], exchanged) << "entry " << i;
    }
}

TEST(DesTables, PermutationsAreBijectionsAndPc1SkipsParityBits) {
    auto sorted = [](auto table) {
        std::sort(table.begin(), table.end());
        return table;
    };
    std::array<std::uint8_t, 32> one_to_32{};
    std::iota(one_to_32.begin(), one_to_32.end(), 1);
    EXPECT_EQ(sorted(Tables::permutation), one_to_32);
    for (const auto position : Tables::permuted_choice_1) {
        EXPECT_NE(position % 8, 0) << "PC-1 selects parity bit " << int(position);
    }
    std::array<std::uint8_t, 56> distinct = sorted(Tables::permuted_choice_1);
    EXPECT_EQ(std::adjacent_find(distinct.begin(), distinct.end()), distinct.end());
    EXPECT_EQ(std::accumulate(Tables::shifts.begin(), Tables::shifts.end(), 0), 28);
}

TEST(DesProperties, WeakKeysMakeEncryptionAnInvolution) {
    RandomBytes random;
    for (const char* weak :
         {"0101010101010101", "FEFEFEFEFEFEFEFE", "E0E0E0E0F1F1F1F1", "1F1F1F1F0E0E0E0E"}) {
        const Bytes block = random(TAVIK_DES_BLOCK_SIZE);
        const Bytes twice = calls::des_ecb(kEncrypt, from_hex(weak),
                                           calls::des_ecb(kEncrypt, from_hex(weak), block));
        EXPECT_EQ(twice, block) << weak;
    }
}

TEST(DesProperties, ParityBitsOfTheKeyAreIgnored) {
    RandomBytes random;
    for (int trial = 0; trial < 20; ++trial) {
        const Bytes key = random(TAVIK_3TDES_KEY_SIZE);
        Bytes flipped = key;
        flipped[random.between(0, TAVIK_3TDES_KEY_SIZE - 1)] ^= 0x01;
        const Bytes data = random(2 * TAVIK_DES_BLOCK_SIZE);
        EXPECT_EQ(calls::des_ecb(kEncrypt, key, data), calls::des_ecb(kEncrypt, flipped, data));
        EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES, kEncrypt, key, data),
                  calls::ecb(EnOrDecrypt_3DES, kEncrypt, flipped, data));
        EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES_3KEY, kDecrypt, key, data),
                  calls::ecb(EnOrDecrypt_3DES_3KEY, kDecrypt, flipped, data));
    }
}

TEST(DesProperties, EveryNonZeroModeDecryptsAndEncryptionRoundTrips) {
    RandomBytes random;
    for (int trial = 0; trial < 50; ++trial) {
        const Bytes key = random(TAVIK_3TDES_KEY_SIZE);
        const Bytes plain = random(4 * TAVIK_DES_BLOCK_SIZE);
        const Bytes cipher = calls::des_ecb(kEncrypt, key, plain);
        for (const std::uint8_t mode : {kDecrypt, std::uint8_t{2}, std::uint8_t{255}}) {
            EXPECT_EQ(calls::des_ecb(mode, key, cipher), plain);
        }
        EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES, 7, key,
                             calls::ecb(EnOrDecrypt_3DES, kEncrypt, key, plain)),
                  plain);
        EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES_3KEY, 128, key,
                             calls::ecb(EnOrDecrypt_3DES_3KEY, kEncrypt, key, plain)),
                  plain);
    }
}

TEST(TripleDes, RepeatedKeysReduceToTheShorterForms) {
    RandomBytes random;
    for (int trial = 0; trial < 20; ++trial) {
        const Bytes half = random(TAVIK_DES_KEY_SIZE);
        const Bytes other = random(TAVIK_DES_KEY_SIZE);
        Bytes two_equal = half;
        two_equal.insert(two_equal.end(), half.begin(), half.end());
        Bytes three_equal = two_equal;
        three_equal.insert(three_equal.end(), half.begin(), half.end());
        Bytes k1k2k1 = half;
        k1k2k1.insert(k1k2k1.end(), other.begin(), other.end());
        const Bytes k1k2(k1k2k1);
        k1k2k1.insert(k1k2k1.end(), half.begin(), half.end());
        const Bytes data = random(3 * TAVIK_DES_BLOCK_SIZE);
        for (const std::uint8_t mode : {kEncrypt, kDecrypt}) {
            const Bytes single = calls::des_ecb(mode, half, data);
            EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES, mode, two_equal, data), single);
            EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES_3KEY, mode, three_equal, data), single);
            EXPECT_EQ(calls::ecb(EnOrDecrypt_3DES_3KEY, mode, k1k2k1, data),
                      calls::ecb(EnOrDecrypt_3DES, mode, k1k2, data));
        }
    }
}

TEST(TripleDes, OneCallOverBlocksEqualsOneCallPerBlock) {
    RandomBytes random;
    const Bytes key = random(TAVIK_3TDES_KEY_SIZE);
    const Bytes data = random(3 * TAVIK_DES_BLOCK_SIZE);
    for (const auto f : {EnOrDecrypt_3DES, EnOrDecrypt_3DES_3KEY}) {
        Bytes piecewise = data;
        for (std::size_t offset = 0; offset < data.size(); offset += TAVIK_DES_BLOCK_SIZE) {
            EXPECT_EQ(f(kEncrypt, key.data(), TAVIK_DES_BLOCK_SIZE, piecewise.data() + offset),
                      TAVIK_DONE);
        }
        EXPECT_EQ(calls::ecb(f, kEncrypt, key, data), piecewise);
    }
}

TEST(TripleDes, LengthZeroDoesNothingAndPartialBlocksAreRefusedUntouched) {
    RandomBytes random;
    const Bytes key = random(TAVIK_3TDES_KEY_SIZE);
    for (const auto f : {EnOrDecrypt_3DES, EnOrDecrypt_3DES_3KEY}) {
        Bytes data = random(3 * TAVIK_DES_BLOCK_SIZE);
        const Bytes before = data;
        EXPECT_EQ(f(kEncrypt, key.data(), 0, data.data()), TAVIK_DONE);
        EXPECT_EQ(data, before);
        for (const std::uint32_t length : {1U, 7U, 9U, 12U, 23U}) {
            EXPECT_EQ(f(kEncrypt, key.data(), length, data.data()), TAVIK_LENGTH_NOT_MULTIPLE_OF_8);
            EXPECT_EQ(data, before) << "length " << length;
        }
    }
}

} // namespace
