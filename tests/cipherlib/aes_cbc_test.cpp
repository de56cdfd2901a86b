// AES-128 CBC: SP 800-38A, the partial tail, the read-only IV, and the
// plaintext buffer that encryption writes into.
#include "byte_ops.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

using testing_support::Bytes;
using testing_support::from_hex;
using testing_support::RandomBytes;
using testing_support::slice;
using testing_support::xor_of;

const Bytes kKey = from_hex("2b7e151628aed2a6abf7158809cf4f3c");
const Bytes kIv = from_hex("000102030405060708090a0b0c0d0e0f");
const Bytes kPlain = from_hex("6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51"
                              "30c81c46a35ce411e5fbc1191a0a52ef f69f2445df4f9b17ad2b417be66c3710");
const Bytes kCipher = from_hex("7649abac8119b246cee98e9b12e9197d 5086cb9b507219ee95db113a917678b2"
                               "73bed6b8e3c1743b7116e69e22229516 3ff1caa1681fac09120eca307586e1a7");

// Block `index` of `b`, counted from 0.
Bytes block_at(const Bytes& b, std::size_t index) {
    return slice(b, index * TAVIK_AES_BLOCK_SIZE, TAVIK_AES_BLOCK_SIZE);
}

// SP 800-38A F.2.1 and F.2.2, length 64.
TEST(AesCbcKnownAnswers, Sp80038aF21AndF22) {
    EXPECT_EQ(calls::aes_cbc(true, kKey, kIv, kPlain), kCipher);
    EXPECT_EQ(calls::aes_cbc(false, kKey, kIv, kCipher), kPlain);
}

TEST(AesCbcBuffers, EncryptionLeavesPlainXorChainInInputAndKeepsTheIv) {
    const auto schedule = calls::aes_schedule(kKey);
    Bytes input = kPlain;
    Bytes output(kPlain.size());
    Bytes iv = kIv;
    const auto length = static_cast<std::uint16_t>(kPlain.size());
    EXPECT_EQ(AES_EncryptCBC(input.data(), schedule.data(), output.data(), length, iv.data()),
              TAVIK_DONE);
    EXPECT_EQ(output, kCipher);
    EXPECT_EQ(iv, kIv);
    EXPECT_EQ(block_at(input, 0), xor_of(block_at(kPlain, 0), kIv));
    EXPECT_EQ(block_at(input, 1), xor_of(block_at(kPlain, 1), block_at(kCipher, 0)));
}

TEST(AesCbcBuffers, DecryptionApartLeavesInputAloneAndInPlaceAgrees) {
    const auto schedule = calls::aes_schedule(kKey);
    const Bytes input = kCipher;
    Bytes output(kCipher.size());
    Bytes iv = kIv;
    AES_DecryptCBC(input.data(), schedule.data(), output.data(),
                   static_cast<std::uint16_t>(input.size()), iv.data());
    EXPECT_EQ(output, kPlain);
    EXPECT_EQ(input, kCipher);
    EXPECT_EQ(iv, kIv);
}

TEST(AesCbcLengths, PartialTailAndShortLengthsAreLeftAlone) {
    const auto schedule = calls::aes_schedule(kKey);
    RandomBytes random;
    // Two whole blocks and half a block.
    constexpr std::uint16_t kWhole = 2 * TAVIK_AES_BLOCK_SIZE;
    constexpr std::uint16_t kTail = TAVIK_AES_BLOCK_SIZE / 2;
    constexpr std::uint16_t kLength = kWhole + kTail;
    const Bytes untouched(kLength, 0x5a);
    for (const bool encrypt : {true, false}) {
        Bytes input = random(kLength);
        Bytes output = untouched;
        const Bytes input_before = input;
        const auto f = [&](std::uint8_t* in, std::uint8_t* out, std::uint16_t length) {
            return encrypt ? AES_EncryptCBC(in, schedule.data(), out, length, kIv.data())
                           : AES_DecryptCBC(in, schedule.data(), out, length, kIv.data());
        };
        EXPECT_EQ(f(input.data(), output.data(), kLength), TAVIK_DONE);
        EXPECT_EQ(slice(output, kWhole, kTail), slice(untouched, kWhole, kTail));
        EXPECT_EQ(slice(input, kWhole, kTail), slice(input_before, kWhole, kTail));
        EXPECT_EQ(slice(output, 0, kWhole),
                  calls::aes_cbc(encrypt, kKey, kIv, slice(input_before, 0, kWhole)));
        for (const std::uint16_t length :
             std::array<std::uint16_t, 2>{0, TAVIK_AES_BLOCK_SIZE - 1}) {
            Bytes in = input_before;
            Bytes out = untouched;
            EXPECT_EQ(f(in.data(), out.data(), length), TAVIK_DONE);
            EXPECT_EQ(in, input_before);
            EXPECT_EQ(out, untouched);
        }
    }
}

TEST(AesCbcLengths, LargestLengthProcesses4095Blocks) {
    constexpr std::size_t kLargest = std::numeric_limits<std::uint16_t>::max();
    constexpr std::size_t kBlocks = kLargest / TAVIK_AES_BLOCK_SIZE;
    constexpr std::size_t kTail = kLargest % TAVIK_AES_BLOCK_SIZE;
    static_assert(kBlocks == 4095);
    RandomBytes random;
    const Bytes plain = random(kLargest);
    const Bytes cipher = calls::aes_cbc(true, kKey, kIv, plain);
    const std::size_t tail_start = kBlocks * TAVIK_AES_BLOCK_SIZE;
    EXPECT_EQ(slice(cipher, tail_start, kTail), slice(plain, tail_start, kTail));
    EXPECT_EQ(calls::aes_cbc(false, kKey, kIv, cipher), plain);
    EXPECT_NE(block_at(cipher, kBlocks - 1), block_at(plain, kBlocks - 1));
}

TEST(AesCbcChaining, ContinuingNeedsTheLastCiphertextAsTheNextIv) {
    const Bytes first = calls::aes_cbc(true, kKey, kIv, block_at(kPlain, 0));
    const Bytes second = calls::aes_cbc(true, kKey, first, block_at(kPlain, 1));
    EXPECT_EQ(first, block_at(kCipher, 0));
    EXPECT_EQ(second, block_at(kCipher, 1));
    EXPECT_NE(calls::aes_cbc(true, kKey, kIv, block_at(kPlain, 1)), second);
}

} // namespace
