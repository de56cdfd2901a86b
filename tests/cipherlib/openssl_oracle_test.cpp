// Differential tests against OpenSSL's libcrypto over random keys, IVs and
// lengths with a fixed seed: a peer implementation as the oracle. The build
// sets the number of trials: fewer under the sanitizers, which slow each one.
#include "calls.h"
#include "openssl_peer.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using testing_support::Bytes;
using testing_support::RandomBytes;
using testing_support::peer::Cipher;
namespace peer = testing_support::peer;

constexpr int kTrials = ORVELIN_ORACLE_TRIALS;

struct TdesFamily {
    const char* name;
    Cipher cipher;
    std::size_t key_size;
    calls::EcbFunction ecb;
    calls::CbcFunction cbc;
};

TEST(OpenSslOracle, TripleAndSingleDesEcbAndCbcBothDirections) {
    RandomBytes random(1);
    const std::array<TdesFamily, 3> families = {
        {{"DES", Cipher::des, TAVIK_DES_KEY_SIZE, nullptr, EnOrDecrypt_DES_CBC},
         {"2TDES", Cipher::tdes2, TAVIK_2TDES_KEY_SIZE, EnOrDecrypt_3DES, EnOrDecrypt_3DES_CBC},
         {"3TDES", Cipher::tdes3, TAVIK_3TDES_KEY_SIZE, EnOrDecrypt_3DES_3KEY,
          EnOrDecrypt_3DES_3KEY_CBC}}};
    for (int trial = 0; trial < kTrials; ++trial) {
        const auto& family = families[static_cast<std::size_t>(trial) % families.size()];
        SCOPED_TRACE(std::string(family.name) + " trial " + std::to_string(trial));
        const Bytes key = random(family.key_size);
        const Bytes iv = random(TAVIK_DES_BLOCK_SIZE);
        const Bytes data = random(TAVIK_DES_BLOCK_SIZE * random.between(0, 16));
        const bool encrypt = random.between(0, 1) == 1;
        const std::uint8_t mode = calls::block_mode(encrypt);
        const Bytes ours_ecb = family.ecb == nullptr ? calls::des_ecb(mode, key, data)
                                                     : calls::ecb(family.ecb, mode, key, data);
        EXPECT_EQ(ours_ecb, peer::ecb(family.cipher, encrypt, key, data));
        Bytes peer_iv = iv;
        EXPECT_EQ(calls::cbc(family.cbc, calls::cbc_mode(encrypt), key, iv, data),
                  peer::cbc(family.cipher, calls::cbc_mode(encrypt), key, peer_iv, data));
    }
}

TEST(OpenSslOracle, Aes128EcbAndCbcBothDirections) {
    RandomBytes random(2);
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE(trial);
        const Bytes key = random(TAVIK_AES_KEY_SIZE);
        const Bytes iv = random(TAVIK_AES_BLOCK_SIZE);
        const Bytes data = random(TAVIK_AES_BLOCK_SIZE * random.between(0, 32));
        const bool encrypt = random.between(0, 1) == 1;
        EXPECT_EQ(calls::aes_ecb(encrypt, key, data),
                  peer::ecb(Cipher::aes128, encrypt, key, data));
        Bytes peer_iv = iv;
        EXPECT_EQ(calls::aes_cbc(encrypt, key, iv, data),
                  peer::cbc(Cipher::aes128, calls::cbc_mode(encrypt), key, peer_iv, data));
    }
}

TEST(OpenSslOracle, CmacWithZeroIvAgreesWithEvpMac) {
    RandomBytes random(3);
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE(trial);
        const Bytes key = random(TAVIK_3TDES_KEY_SIZE);
        const Bytes aes_key(key.begin(), key.begin() + TAVIK_AES_KEY_SIZE);
        const Bytes message = random(random.between(0, TAVIK_TDES_CMAC_MAX_LENGTH));
        EXPECT_EQ(calls::cmac(AES_CMAC, aes_key, message, Bytes(TAVIK_AES_BLOCK_SIZE, 0)),
                  peer::cmac(Cipher::aes128, aes_key, message));
        EXPECT_EQ(calls::cmac(TDES_3KEY_CMAC, key, message, Bytes(TAVIK_DES_BLOCK_SIZE, 0)),
                  peer::cmac(Cipher::tdes3, key, message));
        EXPECT_EQ(calls::cmac(TDES_CMAC, aes_key, message, Bytes(TAVIK_DES_BLOCK_SIZE, 0)),
                  peer::cmac(Cipher::tdes2, aes_key, message));
    }
}

// EVP_MAC cannot start the chain from an IV: SP 800-38B written out over
// OpenSSL's block encryption is the oracle for that form.
TEST(OpenSslOracle, CmacWithRandomIvAgreesWithReferenceOverOpenSslBlocks) {
    RandomBytes random(4);
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE(trial);
        const Bytes key = random(TAVIK_3TDES_KEY_SIZE);
        const Bytes aes_key(key.begin(), key.begin() + TAVIK_AES_KEY_SIZE);
        const Bytes message = random(random.between(0, 300));
        const Bytes aes_iv = random(TAVIK_AES_BLOCK_SIZE);
        const Bytes des_iv(aes_iv.begin(), aes_iv.begin() + TAVIK_DES_BLOCK_SIZE);
        EXPECT_EQ(calls::cmac(AES_CMAC, aes_key, message, aes_iv),
                  peer::cmac_from_iv(Cipher::aes128, aes_key, aes_iv, message));
        EXPECT_EQ(calls::cmac(TDES_3KEY_CMAC, key, message, des_iv),
                  peer::cmac_from_iv(Cipher::tdes3, key, des_iv, message));
        EXPECT_EQ(calls::cmac(TDES_CMAC, aes_key, message, des_iv),
                  peer::cmac_from_iv(Cipher::tdes2, aes_key, des_iv, message));
    }
}

} // namespace
