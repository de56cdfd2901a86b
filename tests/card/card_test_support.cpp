#include "card_test_support.h"

#include "byte_ops.h"
#include "start_up.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <memory>
#include <variant>

namespace card_tests {
namespace {

using orvelin::Cipher;
using testing_support::join;
using testing_support::slice;

const EVP_CIPHER* OpenSslCipher(const CipherModel& cipher, bool cbc) {
    if (cipher.cipher == Cipher::aes) {
        return cbc ? EVP_aes_128_cbc() : EVP_aes_128_ecb();
    }
    return cbc ? EVP_des_ede3_cbc() : EVP_des_ede3_ecb();
}

// Three-key EDE over K1|K2|K3 expresses every DES-family key.
Bytes OpenSslKey(const CipherModel& cipher, const Bytes& key) {
    switch (cipher.cipher) {
    case Cipher::des:
        return join({key, key, key});
    case Cipher::two_key_tdes:
        return join({key, slice(key, 0, 8)});
    default:
        return key;
    }
}

Bytes RunCipher(const CipherModel& cipher, const Bytes& key, const Bytes& iv, const Bytes& data,
                bool encrypt) {
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(
        EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    const Bytes openssl_key = OpenSslKey(cipher, key);
    Bytes out(data.size() + 32);
    int written = 0;
    int final_written = 0;
    const bool ok = EVP_CipherInit_ex(context.get(), OpenSslCipher(cipher, !iv.empty()), nullptr,
                                      openssl_key.data(), iv.empty() ? nullptr : iv.data(),
                                      encrypt ? 1 : 0) == 1 &&
                    EVP_CIPHER_CTX_set_padding(context.get(), 0) == 1 &&
                    EVP_CipherUpdate(context.get(), out.data(), &written, data.data(),
                                     static_cast<int>(data.size())) == 1 &&
                    EVP_CipherFinal_ex(context.get(), out.data() + written, &final_written) == 1;
    EXPECT_TRUE(ok) << "OpenSSL refused the operation";
    out.resize(static_cast<std::size_t>(written + final_written));
    return out;
}

} // namespace

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

const orvelin::TavikAlgBinding& SkewedLibrary() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        CARD_SKEWED_LIBRARY, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

const orvelin::TavikAlgBinding& FailingLibrary() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        CARD_FAILING_LIBRARY, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

CipherModel CipherNamed(const std::string& name) {
    if (name == "aes") {
        return orvelin::card::kCardAes;
    }
    if (name == "2tdes") {
        return orvelin::card::kCardTwoKeyTdes;
    }
    if (name == "3tdes") {
        return orvelin::card::kCardThreeKeyTdes;
    }
    EXPECT_EQ(name, "des") << "unknown cipher name in test data";
    return orvelin::card::kCardDes;
}

CardResult Done(const CardOutcome& outcome) {
    if (const auto* refusal = std::get_if<orvelin::card::CardRefusal>(&outcome)) {
        ADD_FAILURE() << "refused: " << refusal->message;
        return {};
    }
    return std::get<CardResult>(outcome);
}

std::string RefusalOf(const CardOutcome& outcome) {
    if (const auto* refusal = std::get_if<orvelin::card::CardRefusal>(&outcome)) {
        return refusal->message;
    }
    ADD_FAILURE() << "done where a refusal was expected";
    return {};
}

Bytes StepNamed(const CardResult& result, const std::string& label) {
    for (const auto& step : result.steps) {
        if (step.label == label) {
            return step.bytes;
        }
    }
    return {};
}

Bytes OpenSslEncrypt(const CipherModel& cipher, const Bytes& key, const Bytes& iv,
                     const Bytes& data) {
    return RunCipher(cipher, key, iv, data, true);
}

Bytes OpenSslDecrypt(const CipherModel& cipher, const Bytes& key, const Bytes& data) {
    return RunCipher(cipher, key, {}, data, false);
}

Bytes OpenSslCmac(const CipherModel& cipher, const Bytes& key, const Bytes& message) {
    const std::unique_ptr<EVP_MAC, decltype(&EVP_MAC_free)> mac(
        EVP_MAC_fetch(nullptr, "CMAC", nullptr), EVP_MAC_free);
    const std::unique_ptr<EVP_MAC_CTX, decltype(&EVP_MAC_CTX_free)> context(
        EVP_MAC_CTX_new(mac.get()), EVP_MAC_CTX_free);
    const bool aes = cipher.cipher == Cipher::aes;
    std::string name = aes ? "AES-128-CBC" : "DES-EDE3-CBC";
    const OSSL_PARAM parameters[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, name.data(), 0),
        OSSL_PARAM_construct_end()};
    const Bytes openssl_key = OpenSslKey(cipher, key);
    Bytes out(16);
    std::size_t length = 0;
    const bool ok =
        EVP_MAC_init(context.get(), openssl_key.data(), openssl_key.size(), parameters) == 1 &&
        EVP_MAC_update(context.get(), message.data(), message.size()) == 1 &&
        EVP_MAC_final(context.get(), out.data(), &length, out.size()) == 1;
    EXPECT_TRUE(ok) << "OpenSSL CMAC failed";
    out.resize(length);
    return out;
}

} // namespace card_tests
