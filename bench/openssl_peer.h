// OpenSSL's implementation of the same primitive, keyed once, for side-by-side
// timing in the same run.
#ifndef ORVELIN_BENCH_OPENSSL_PEER_H
#define ORVELIN_BENCH_OPENSSL_PEER_H

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>
#include <openssl/provider.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

using Bytes = std::vector<std::uint8_t>;

class PeerCipher {
  public:
    PeerCipher(const char* name, const Bytes& key, const Bytes& iv, bool encrypt) : iv_(iv) {
        // Single DES lives in the legacy provider in OpenSSL 3.
        static OSSL_PROVIDER* const legacy = OSSL_PROVIDER_load(nullptr, "legacy");
        static OSSL_PROVIDER* const standard = OSSL_PROVIDER_load(nullptr, "default");
        (void)legacy;
        (void)standard;
        cipher_ = EVP_CIPHER_fetch(nullptr, name, nullptr);
        ctx_ = EVP_CIPHER_CTX_new();
        if (cipher_ == nullptr ||
            EVP_CipherInit_ex2(ctx_, cipher_, key.data(), iv.empty() ? nullptr : iv.data(),
                               encrypt ? 1 : 0, nullptr) != 1) {
            throw std::runtime_error(std::string("OpenSSL cannot set up ") + name);
        }
        EVP_CIPHER_CTX_set_padding(ctx_, 0);
    }
    PeerCipher(const PeerCipher&) = delete;
    PeerCipher& operator=(const PeerCipher&) = delete;
    ~PeerCipher() {
        EVP_CIPHER_CTX_free(ctx_);
        EVP_CIPHER_free(cipher_);
    }

    // Restarts the chain from the IV, as every call of ours does.
    void run(Bytes& data) {
        int written = 0;
        EVP_CipherInit_ex2(ctx_, nullptr, nullptr, iv_.empty() ? nullptr : iv_.data(), -1, nullptr);
        EVP_CipherUpdate(ctx_, data.data(), &written, data.data(), static_cast<int>(data.size()));
    }

  private:
    Bytes iv_;
    EVP_CIPHER* cipher_ = nullptr;
    EVP_CIPHER_CTX* ctx_ = nullptr;
};

class PeerCmac {
  public:
    PeerCmac(const char* cipher_name, const Bytes& key) : name_(cipher_name), key_(key) {
        mac_ = EVP_MAC_fetch(nullptr, "CMAC", nullptr);
        ctx_ = EVP_MAC_CTX_new(mac_);
        if (ctx_ == nullptr) {
            throw std::runtime_error("OpenSSL cannot set up CMAC");
        }
    }
    PeerCmac(const PeerCmac&) = delete;
    PeerCmac& operator=(const PeerCmac&) = delete;
    ~PeerCmac() {
        EVP_MAC_CTX_free(ctx_);
        EVP_MAC_free(mac_);
    }

    // Keys afresh on every MAC, as ours does.
    void run(const Bytes& message, Bytes& tag) {
        const OSSL_PARAM params[] = {
            OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, name_.data(), 0),
            OSSL_PARAM_construct_end()};
        std::size_t length = 0;
        EVP_MAC_init(ctx_, key_.data(), key_.size(), params);
        EVP_MAC_update(ctx_, message.data(), message.size());
        EVP_MAC_final(ctx_, tag.data(), &length, tag.size());
    }

  private:
    std::string name_;
    Bytes key_;
    EVP_MAC* mac_ = nullptr;
    EVP_MAC_CTX* ctx_ = nullptr;
};

} // namespace bench

#endif
