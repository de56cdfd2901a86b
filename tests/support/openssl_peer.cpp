#include "openssl_peer.h"

#include "byte_ops.h"
#include "tavik_alg.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>
#include <openssl/provider.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace testing_support::peer {
namespace {

constexpr std::uint8_t kDecryptBlock = 0x01;
constexpr std::uint8_t kDecryptionChaining = 0x02;

void check(bool done, std::string_view step) {
    if (!done) {
        throw std::runtime_error("OpenSSL: " + std::string(step) + " failed");
    }
}

// Single DES lives in OpenSSL 3's legacy provider, loaded once and kept for
// the process; loading it keeps the default provider. Where it is missing,
// three equal keys give single DES.
bool single_des_available() {
    static OSSL_PROVIDER* const legacy = OSSL_PROVIDER_try_load(nullptr, "legacy", 1);
    return legacy != nullptr;
}

bool as_triple_des(Cipher cipher) {
    return cipher == Cipher::des && !single_des_available();
}

std::string evp_name(Cipher cipher, bool cbc) {
    const std::string mode = cbc ? "-CBC" : "-ECB";
    switch (cipher) {
    case Cipher::des:
        return (as_triple_des(cipher) ? "DES-EDE3" : "DES") + mode;
    case Cipher::tdes2:
        return "DES-EDE" + mode;
    case Cipher::tdes3:
        return "DES-EDE3" + mode;
    case Cipher::aes128:
        return "AES-128" + mode;
    }
    throw std::invalid_argument("no such cipher");
}

Bytes tripled(std::span<const std::uint8_t> key) {
    const Bytes once(key.begin(), key.end());
    return join({once, once, once});
}

Bytes evp_key(Cipher cipher, std::span<const std::uint8_t> key) {
    return as_triple_des(cipher) ? tripled(key) : Bytes(key.begin(), key.end());
}

// Modes 1 and 2, which no standard mode names: each block through ECB,
// chained the library's way.
Bytes mixed_chaining(Cipher cipher, std::uint8_t mode, std::span<const std::uint8_t> key,
                     const Bytes& iv, std::span<const std::uint8_t> data) {
    const std::size_t size = block_size(cipher);
    const bool decryption_chaining = (mode & kDecryptionChaining) != 0;
    BlockCipher block_cipher(cipher, (mode & kDecryptBlock) == 0, key);
    Bytes out(data.begin(), data.end());
    Bytes chain = iv;
    for (std::size_t offset = 0; offset < out.size(); offset += size) {
        const auto read = data.subspan(offset, size);
        Bytes block(read.begin(), read.end());
        if (!decryption_chaining) {
            block = xor_of(block, chain);
        }
        block_cipher.run(block);
        if (decryption_chaining) {
            block = xor_of(block, chain);
            chain.assign(read.begin(), read.end());
        } else {
            chain = block;
        }
        std::ranges::copy(block, out.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    return out;
}

} // namespace

void OpenSslFree::operator()(EVP_CIPHER* cipher) const {
    EVP_CIPHER_free(cipher);
}
void OpenSslFree::operator()(EVP_CIPHER_CTX* context) const {
    EVP_CIPHER_CTX_free(context);
}
void OpenSslFree::operator()(EVP_MAC* mac) const {
    EVP_MAC_free(mac);
}
void OpenSslFree::operator()(EVP_MAC_CTX* context) const {
    EVP_MAC_CTX_free(context);
}

std::size_t block_size(Cipher cipher) {
    return cipher == Cipher::aes128 ? TAVIK_AES_BLOCK_SIZE : TAVIK_DES_BLOCK_SIZE;
}

BlockCipher::BlockCipher(Cipher cipher, bool encrypt, std::span<const std::uint8_t> key,
                         std::span<const std::uint8_t> iv)
    : iv_(iv.begin(), iv.end()) {
    const std::string name = evp_name(cipher, !iv.empty());
    const Bytes evp_key_bytes = evp_key(cipher, key);
    cipher_.reset(EVP_CIPHER_fetch(nullptr, name.c_str(), nullptr));
    check(cipher_ != nullptr, "fetching " + name);
    check(evp_key_bytes.size() ==
              static_cast<std::size_t>(EVP_CIPHER_get_key_length(cipher_.get())),
          name + " key length");
    check(iv.empty() || iv.size() == block_size(cipher), name + " IV length");
    context_.reset(EVP_CIPHER_CTX_new());
    check(context_ != nullptr, "a cipher context");
    check(EVP_CipherInit_ex2(context_.get(), cipher_.get(), evp_key_bytes.data(),
                             iv_.empty() ? nullptr : iv_.data(), encrypt ? 1 : 0, nullptr) == 1,
          "keying " + name);
    check(EVP_CIPHER_CTX_set_padding(context_.get(), 0) == 1, "turning padding off");
}

void BlockCipher::run(std::span<std::uint8_t> data) {
    if (data.empty()) {
        return;
    }
    const int length = static_cast<int>(data.size());
    int written = 0;
    int last = 0;
    check(EVP_CipherInit_ex2(context_.get(), nullptr, nullptr, iv_.empty() ? nullptr : iv_.data(),
                             -1, nullptr) == 1 &&
              EVP_CipherUpdate(context_.get(), data.data(), &written, data.data(), length) == 1 &&
              written == length &&
              EVP_CipherFinal_ex(context_.get(), data.subspan(data.size()).data(), &last) == 1 &&
              last == 0,
          "a run over whole blocks");
}

// OpenSSL has no CMAC over single DES; three equal keys give it.
Cmac::Cmac(Cipher cipher, std::span<const std::uint8_t> key)
    : name_(evp_name(cipher == Cipher::des ? Cipher::tdes3 : cipher, true)),
      key_(cipher == Cipher::des ? tripled(key) : Bytes(key.begin(), key.end())),
      size_(block_size(cipher)), mac_(EVP_MAC_fetch(nullptr, OSSL_MAC_NAME_CMAC, nullptr)) {
    check(mac_ != nullptr, "fetching CMAC");
    context_.reset(EVP_MAC_CTX_new(mac_.get()));
    check(context_ != nullptr, "a CMAC context");
}

void Cmac::run(std::span<const std::uint8_t> message, std::span<std::uint8_t> tag) {
    const std::array params = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, name_.data(), 0),
        OSSL_PARAM_construct_end()};
    std::size_t written = 0;
    check(EVP_MAC_init(context_.get(), key_.data(), key_.size(), params.data()) == 1 &&
              EVP_MAC_update(context_.get(), message.data(), message.size()) == 1 &&
              EVP_MAC_final(context_.get(), tag.data(), &written, tag.size()) == 1 &&
              written == size_,
          "a CMAC");
}

Bytes ecb(Cipher cipher, bool encrypt, std::span<const std::uint8_t> key,
          std::span<const std::uint8_t> data) {
    Bytes out(data.begin(), data.end());
    BlockCipher(cipher, encrypt, key).run(out);
    return out;
}

Bytes cbc(Cipher cipher, std::uint8_t mode, std::span<const std::uint8_t> key, Bytes& iv,
          std::span<const std::uint8_t> data) {
    if (iv.size() != block_size(cipher) || data.size() % block_size(cipher) != 0) {
        throw std::invalid_argument("CBC takes one block of IV and whole blocks of data");
    }
    const bool decrypt_block = (mode & kDecryptBlock) != 0;
    const bool decryption_chaining = (mode & kDecryptionChaining) != 0;
    Bytes out(data.begin(), data.end());
    if (decrypt_block == decryption_chaining) {
        BlockCipher(cipher, !decrypt_block, key, iv).run(out);
    } else {
        out = mixed_chaining(cipher, mode, key, iv, data);
    }
    const std::span<const std::uint8_t> ciphertext = decryption_chaining ? data : out;
    if (!ciphertext.empty()) {
        const auto last = ciphertext.last(block_size(cipher));
        iv.assign(last.begin(), last.end());
    }
    return out;
}

Bytes cmac(Cipher cipher, std::span<const std::uint8_t> key,
           std::span<const std::uint8_t> message) {
    Bytes tag(block_size(cipher));
    Cmac(cipher, key).run(message, tag);
    return tag;
}

Bytes cmac_from_iv(Cipher cipher, std::span<const std::uint8_t> key,
                   std::span<const std::uint8_t> iv, std::span<const std::uint8_t> message) {
    const std::size_t size = block_size(cipher);
    const std::uint8_t rb = size == TAVIK_AES_BLOCK_SIZE ? 0x87 : 0x1b;
    const Bytes k1 = cmac_double(ecb(cipher, true, key, Bytes(size, 0)), rb);
    const bool complete = !message.empty() && message.size() % size == 0;
    Bytes m(message.begin(), message.end());
    if (!complete) {
        m.push_back(0x80);
        m.resize((m.size() + size - 1) / size * size, 0);
    }
    const Bytes masked =
        xor_of(slice(m, m.size() - size, size), complete ? k1 : cmac_double(k1, rb));
    std::ranges::copy(masked, m.end() - static_cast<std::ptrdiff_t>(size));
    Bytes chain(iv.begin(), iv.end());
    cbc(cipher, TAVIK_MODE_CBC_ENCRYPT, key, chain, m);
    const bool zero_iv = std::ranges::all_of(iv, [](std::uint8_t b) { return b == 0; });
    if (zero_iv && cmac(cipher, key, message) != chain) {
        throw std::logic_error("the CMAC built on OpenSSL's blocks differs from OpenSSL's own");
    }
    return chain;
}

} // namespace testing_support::peer
