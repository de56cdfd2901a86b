// AES-128 CBC: SP 800-38A, the partial tail, the read-only IV, and the
// plaintext buffer that encryption writes into.
#include "byte_ops.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

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

// SP 800-38A F.2.1 and F.2.2, length 64.
TEST(AesCbcKnownAnswers, Sp80038aF21AndF22) {
    EXPECT_EQ(calls::aes_cbc(true, kKey, kIv, kPlain), kCipher);
    EXPECT_EQ(calls::aes_cbc(false, kKey, kIv, kCipher), kPlain);
}

TEST(AesCbcBuffers, EncryptionLeavesPlainXorChainInInputAndKeepsTheIv) {
    const auto schedule = calls::aes_schedule(kKey);
    Bytes input = kPlain;
    Bytes output(64);
    Bytes iv = kIv;
    EXPECT_EQ(AES_EncryptCBC(input.data(), schedule.data(), output.data(), 64, iv.data()),
              TAVIK_DONE);
    EXPECT_EQ(output, kCipher);
    EXPECT_EQ(iv, kIv);
    EXPECT_EQ(slice(input, 0, 16), xor_of(slice(kPlain, 0, 16), kIv));
    EXPECT_EQ(slice(input, 16, 16), xor_of(slice(kPlain, 16, 16), slice(kCipher, 0, 16)));
}

TEST(AesCbcBuffers, DecryptionApartLeavesInputAloneAndInPlaceAgrees) {
    const auto schedule = calls::aes_schedule(kKey);
    const Bytes input = kCipher;
    Bytes output(64);
    Bytes iv = kIv;
    AES_DecryptCBC(input.data(), schedule.data(), output.data(), 64, iv.data());
    EXPECT_EQ(output, kPlain);
    EXPECT_EQ(input, kCipher);
    EXPECT_EQ(iv, kIv);
}

TEST(AesCbcLengths, PartialTailAndShortLengthsAreLeftAlone) {
    const auto schedule = calls::aes_schedule(kKey);
    RandomBytes random;
    for (const bool encrypt : {true, false}) {
        Bytes input = random(40);
        Bytes output(40, 0x5a);
        const Bytes input_before = input;
        const auto f = [&](std::uint8_t* in, std::uint8_t* out, std::uint16_t length) {
            return encrypt ? AES_EncryptCBC(in, schedule.data(), out, length, kIv.data())
                           : AES_DecryptCBC(in, schedule.data(), out, length, kIv.data());
        };
        EXPECT_EQ(f(input.data(), output.data(), 40), TAVIK_DONE);
        EXPECT_EQ(slice(output, 32, 8), Bytes(8, 0x5a));
        EXPECT_EQ(slice(input, 32, 8), slice(input_before, 32, 8));
        EXPECT_EQ(slice(output, 0, 32),
                  calls::aes_cbc(encrypt, kKey, kIv, slice(input_before, 0, 32)));
        for (const std::uint16_t length : {0, 15}) {
            Bytes in = input_before;
            Bytes out(40, 0x5a);
            EXPECT_EQ(f(in.data(), out.data(), length), TAVIK_DONE);
            EXPECT_EQ(in, input_before);
            EXPECT_EQ(out, Bytes(40, 0x5a));
        }
    }
}

TEST(AesCbcLengths, LargestLengthProcesses4095Blocks) {
    RandomBytes random;
    const Bytes plain = random(65535);
    const Bytes cipher = calls::aes_cbc(true, kKey, kIv, plain);
    EXPECT_EQ(slice(cipher, 65520, 15), slice(plain, 65520, 15));
    EXPECT_EQ(calls::aes_cbc(false, kKey, kIv, cipher), plain);
    EXPECT_NE(slice(cipher, 65504, 16), slice(plain, 65504, 16));
}

TEST(AesCbcChaining, ContinuingNeedsTheLastCiphertextAsTheNextIv) {
    const Bytes first = calls::aes_cbc(true, kKey, kIv, slice(kPlain, 0, 16));
    const Bytes second = calls::aes_cbc(true, kKey, first, slice(kPlain, 16, 16));
    EXPECT_EQ(first, slice(kCipher, 0, 16));
    EXPECT_EQ(second, slice(kCipher, 16, 16));
    EXPECT_NE(calls::aes_cbc(true, kKey, kIv, slice(kPlain, 16, 16)), second);
}

} // namespace
