// Differential tests against OpenSSL's libcrypto over random keys, IVs and
// lengths with a fixed seed: a peer implementation as the oracle. The build
// sets the number of trials: fewer under the sanitizers, which slow each one.
#include "byte_ops.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <array>
#include <memory>
#include <string>

namespace {

using testing_support::Bytes;
using testing_support::join;
using testing_support::RandomBytes;

constexpr int kTrials = ORVELIN_ORACLE_TRIALS;

Bytes openssl_cipher(const EVP_CIPHER* cipher, const Bytes& key, const Bytes& iv, const Bytes& in,
                     bool encrypt) {
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                              EVP_CIPHER_CTX_free);
    Bytes out(in.size() + 32);
    int written = 0;
    int final_written = 0;
    const bool ok = EVP_CipherInit_ex(ctx.get(), cipher, nullptr, key.data(),
                                      iv.empty() ? nullptr : iv.data(), encrypt ? 1 : 0) == 1 &&
                    EVP_CIPHER_CTX_set_padding(ctx.get(), 0) == 1 &&
                    EVP_CipherUpdate(ctx.get(), out.data(), &written, in.data(),
                                     static_cast<int>(in.size())) == 1 &&
                    EVP_CipherFinal_ex(ctx.get(), out.data() + written, &final_written) == 1;
    EXPECT_TRUE(ok) << "OpenSSL refused the operation";
    out.resize(static_cast<std::size_t>(written + final_written));
    return out;
}

Bytes openssl_cmac(const char* cipher_name, const Bytes& key, const Bytes& message) {
    EVP_MAC* mac = EVP_MAC_fetch(nullptr, "CMAC", nullptr);
    EVP_MAC_CTX* ctx = EVP_MAC_CTX_new(mac);
    std::string name = cipher_name;
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, name.data(), 0),
        OSSL_PARAM_construct_end()};
    Bytes out(TAVIK_AES_BLOCK_SIZE); // the larger MAC
    std::size_t length = 0;
    const bool ok = EVP_MAC_init(ctx, key.data(), key.size(), params) == 1 &&
                    EVP_MAC_update(ctx, message.data(), message.size()) == 1 &&
                    EVP_MAC_final(ctx, out.data(), &length, out.size()) == 1;
    EVP_MAC_CTX_free(ctx);
    EVP_MAC_free(mac);
    EXPECT_TRUE(ok) << "OpenSSL CMAC failed";
    out.resize(length);
    return out;
}

struct TdesFamily {
    const char* name;
    std::size_t key_size;
    calls::EcbFunction ecb;
    calls::CbcFunction cbc;
};

// OpenSSL's three-key EDE over K1|K2|K3 expresses all three forms.
Bytes openssl_key(const Bytes& key) {
    if (key.size() == TAVIK_DES_KEY_SIZE) {
        return join({key, key, key});
    }
    if (key.size() == TAVIK_2TDES_KEY_SIZE) {
        return join({key, Bytes(key.begin(), key.begin() + TAVIK_DES_KEY_SIZE)});
    }
    return key;
}

TEST(OpenSslOracle, TripleAndSingleDesEcbAndCbcBothDirections) {
    RandomBytes random(1);
    const std::array<TdesFamily, 3> families = {
        {{"DES", TAVIK_DES_KEY_SIZE, nullptr, EnOrDecrypt_DES_CBC},
         {"2TDES", TAVIK_2TDES_KEY_SIZE, EnOrDecrypt_3DES, EnOrDecrypt_3DES_CBC},
         {"3TDES", TAVIK_3TDES_KEY_SIZE, EnOrDecrypt_3DES_3KEY, EnOrDecrypt_3DES_3KEY_CBC}}};
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
        EXPECT_EQ(ours_ecb,
                  openssl_cipher(EVP_des_ede3_ecb(), openssl_key(key), {}, data, encrypt));
        EXPECT_EQ(calls::cbc(family.cbc, calls::cbc_mode(encrypt), key, iv, data),
                  openssl_cipher(EVP_des_ede3_cbc(), openssl_key(key), iv, data, encrypt));
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
                  openssl_cipher(EVP_aes_128_ecb(), key, {}, data, encrypt));
        EXPECT_EQ(calls::aes_cbc(encrypt, key, iv, data),
                  openssl_cipher(EVP_aes_128_cbc(), key, iv, data, encrypt));
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
                  openssl_cmac("AES-128-CBC", aes_key, message));
        EXPECT_EQ(calls::cmac(TDES_3KEY_CMAC, key, message, Bytes(TAVIK_DES_BLOCK_SIZE, 0)),
                  openssl_cmac("DES-EDE3-CBC", key, message));
        EXPECT_EQ(calls::cmac(TDES_CMAC, aes_key, message, Bytes(TAVIK_DES_BLOCK_SIZE, 0)),
                  openssl_cmac("DES-EDE3-CBC", openssl_key(aes_key), message));
    }
}

// SP 800-38B written out over OpenSSL's block encryption, with the chain
// starting from an IV: the oracle for the IV form that EVP_MAC cannot express.
Bytes reference_cmac(const EVP_CIPHER* ecb, const Bytes& key, const Bytes& message,
                     const Bytes& iv) {
    const std::size_t b = iv.size();
    const auto encrypt = [&](const Bytes& block) {
        return openssl_cipher(ecb, key, {}, block, true);
    };
    const std::uint8_t rb = b == TAVIK_AES_BLOCK_SIZE ? 0x87 : 0x1b;
    const Bytes k1 = testing_support::cmac_double(encrypt(Bytes(b, 0)), rb);
    const Bytes k2 = testing_support::cmac_double(k1, rb);
    const std::size_t blocks = message.empty() ? 1 : (message.size() + b - 1) / b;
    const bool complete = !message.empty() && message.size() % b == 0;
    Bytes x = iv;
    for (std::size_t i = 0; i < blocks; ++i) {
        Bytes m(b, 0);
        const std::size_t take = std::min(b, message.size() - std::min(message.size(), i * b));
        std::copy_n(message.begin() + static_cast<long>(std::min(message.size(), i * b)), take,
                    m.begin());
        if (i + 1 == blocks) {
            if (!complete) {
                m[take] = 0x80;
            }
            const Bytes& k = complete ? k1 : k2;
            for (std::size_t j = 0; j < b; ++j) {
                m[j] ^= k[j];
            }
        }
        for (std::size_t j = 0; j < b; ++j) {
            x[j] ^= m[j];
        }
        x = encrypt(x);
    }
    return x;
}

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
                  reference_cmac(EVP_aes_128_ecb(), aes_key, message, aes_iv));
        EXPECT_EQ(calls::cmac(TDES_3KEY_CMAC, key, message, des_iv),
                  reference_cmac(EVP_des_ede3_ecb(), key, message, des_iv));
        EXPECT_EQ(calls::cmac(TDES_CMAC, aes_key, message, des_iv),
                  reference_cmac(EVP_des_ede3_ecb(), openssl_key(aes_key), message, des_iv));
    }
}

} // namespace
