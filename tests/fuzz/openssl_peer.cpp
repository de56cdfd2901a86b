#include "openssl_peer.h"

#include "fuzz_check.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace orvelin::fuzz::peer {
namespace {

template <auto Free>
struct Freer {
    template <typename T>
    void operator()(T* p) const {
        Free(p);
    }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, Freer<EVP_CIPHER_CTX_free>>;
using MacAlgorithm = std::unique_ptr<EVP_MAC, Freer<EVP_MAC_free>>;
using MacContext = std::unique_ptr<EVP_MAC_CTX, Freer<EVP_MAC_CTX_free>>;

constexpr std::uint8_t kDecryptBlock = 0x01;
constexpr std::uint8_t kDecryptionChaining = 0x02;

const EVP_CIPHER* EvpCipher(Cipher cipher, bool cbc) {
    switch (cipher) {
    case Cipher::des:
    case Cipher::tdes3:
        return cbc ? EVP_des_ede3_cbc() : EVP_des_ede3_ecb();
    case Cipher::tdes2:
        return cbc ? EVP_des_ede_cbc() : EVP_des_ede_ecb();
    case Cipher::aes128:
        return cbc ? EVP_aes_128_cbc() : EVP_aes_128_ecb();
    }
    return nullptr;
}

std::string CbcName(Cipher cipher) {
    switch (cipher) {
    case Cipher::tdes2:
        return "DES-EDE-CBC";
    case Cipher::aes128:
        return "AES-128-CBC";
    default:
        return "DES-EDE3-CBC";
    }
}

Bytes EvpKey(Cipher cipher, const Bytes& key) {
    if (cipher != Cipher::des) {
        return key;
    }
    Bytes three(TAVIK_3TDES_KEY_SIZE);
    for (std::size_t i = 0; i < three.size(); ++i) {
        three[i] = key[i % key.size()];
    }
    return three;
}

void XorInto(std::span<std::uint8_t> target, std::span<const std::uint8_t> mask) {
    std::ranges::transform(target, mask, target.begin(), [](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(a ^ b);
    });
}

// One pass of an OpenSSL cipher without padding over whole blocks.
Bytes Run(const EVP_CIPHER* evp, bool encrypt, const Bytes& key, const std::uint8_t* iv,
          std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return {};
    }
    const CipherContext ctx(EVP_CIPHER_CTX_new());
    Require(ctx != nullptr);
    Require(EVP_CipherInit_ex(ctx.get(), evp, nullptr, key.data(), iv, encrypt ? 1 : 0) == 1);
    Require(EVP_CIPHER_CTX_set_padding(ctx.get(), 0) == 1);
    Bytes out(data.size() + TAVIK_AES_BLOCK_SIZE);
    int written = 0;
    Require(EVP_CipherUpdate(ctx.get(), out.data(), &written, data.data(),
                             static_cast<int>(data.size())) == 1);
    int last = 0;
    Require(EVP_CipherFinal_ex(ctx.get(),
                               std::span(out).subspan(static_cast<std::size_t>(written)).data(),
                               &last) == 1);
    Require(static_cast<std::size_t>(written + last) == data.size());
    out.resize(data.size());
    return out;
}

// Modes 1 and 2, which no standard mode names: each block through ECB,
// chained the library's way.
Bytes MixedChaining(Cipher cipher, std::uint8_t mode, const Bytes& key, const Bytes& iv,
                    std::span<const std::uint8_t> data) {
    const std::size_t block_size = BlockSize(cipher);
    const bool encrypt_block = (mode & kDecryptBlock) == 0;
    const bool decryption_chaining = (mode & kDecryptionChaining) != 0;
    Bytes out(data.begin(), data.end());
    Bytes chain = iv;
    for (std::size_t offset = 0; offset < out.size(); offset += block_size) {
        const auto read = data.subspan(offset, block_size);
        Bytes block(read.begin(), read.end());
        if (!decryption_chaining) {
            XorInto(block, chain);
        }
        block = Ecb(cipher, encrypt_block, key, block);
        if (decryption_chaining) {
            XorInto(block, chain);
            chain.assign(read.begin(), read.end());
        } else {
            chain = block;
        }
        std::ranges::copy(block, out.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    return out;
}

Bytes Double(Bytes b) {
    const std::uint8_t rb = b.size() == TAVIK_AES_BLOCK_SIZE ? 0x87 : 0x1b;
    const bool carry = (b[0] & 0x80U) != 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const unsigned next = i + 1 < b.size() ? b[i + 1] >> 7U : 0U;
        b[i] = static_cast<std::uint8_t>(static_cast<unsigned>(b[i]) << 1U | next);
    }
    if (carry) {
        b.back() = static_cast<std::uint8_t>(b.back() ^ rb);
    }
    return b;
}

// CMAC as CBC encryption from `iv` over the message with its last block
// masked by the subkey: the complete block by K1, the padded one by K2.
Bytes CmacOnBlocks(Cipher cipher, const Bytes& key, const Bytes& iv,
                   std::span<const std::uint8_t> message) {
    const std::size_t block_size = BlockSize(cipher);
    const Bytes k1 = Double(Ecb(cipher, true, key, Bytes(block_size, 0)));
    const bool complete = !message.empty() && message.size() % block_size == 0;
    Bytes m(message.begin(), message.end());
    if (!complete) {
        m.push_back(0x80);
        m.resize((m.size() + block_size - 1) / block_size * block_size, 0);
    }
    XorInto(std::span(m).last(block_size), complete ? k1 : Double(k1));
    Bytes chain = iv;
    Cbc(cipher, TAVIK_MODE_CBC_ENCRYPT, key, chain, m);
    return chain;
}

Bytes EvpCmac(Cipher cipher, const Bytes& key, std::span<const std::uint8_t> message) {
    const MacAlgorithm algorithm(EVP_MAC_fetch(nullptr, OSSL_MAC_NAME_CMAC, nullptr));
    const MacContext ctx(EVP_MAC_CTX_new(algorithm.get()));
    Require(ctx != nullptr);
    std::string name = CbcName(cipher);
    const std::array params = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, name.data(), 0),
        OSSL_PARAM_construct_end()};
    const Bytes evp_key = EvpKey(cipher, key);
    Require(EVP_MAC_init(ctx.get(), evp_key.data(), evp_key.size(), params.data()) == 1);
    Require(EVP_MAC_update(ctx.get(), message.data(), message.size()) == 1);
    Bytes tag(BlockSize(cipher));
    std::size_t written = 0;
    Require(EVP_MAC_final(ctx.get(), tag.data(), &written, tag.size()) == 1);
    Require(written == tag.size());
    return tag;
}

} // namespace

std::size_t BlockSize(Cipher cipher) {
    return cipher == Cipher::aes128 ? TAVIK_AES_BLOCK_SIZE : TAVIK_DES_BLOCK_SIZE;
}

Bytes Ecb(Cipher cipher, bool encrypt, const Bytes& key, std::span<const std::uint8_t> data) {
    return Run(EvpCipher(cipher, false), encrypt, EvpKey(cipher, key), nullptr, data);
}

Bytes Cbc(Cipher cipher, std::uint8_t mode, const Bytes& key, Bytes& iv,
          std::span<const std::uint8_t> data) {
    const bool decrypt_block = (mode & kDecryptBlock) != 0;
    const bool decryption_chaining = (mode & kDecryptionChaining) != 0;
    const Bytes out =
        decrypt_block == decryption_chaining
            ? Run(EvpCipher(cipher, true), !decrypt_block, EvpKey(cipher, key), iv.data(), data)
            : MixedChaining(cipher, mode, key, iv, data);
    const std::span<const std::uint8_t> ciphertext = decryption_chaining ? data : out;
    if (!ciphertext.empty()) {
        const auto last = ciphertext.last(BlockSize(cipher));
        iv.assign(last.begin(), last.end());
    }
    return out;
}

Bytes Cmac(Cipher cipher, const Bytes& key, const Bytes& iv,
           std::span<const std::uint8_t> message) {
    const Bytes built = CmacOnBlocks(cipher, key, iv, message);
    if (std::ranges::all_of(iv, [](std::uint8_t b) { return b == 0; })) {
        // The two constructions agree where both apply.
        Require(EvpCmac(cipher, key, message) == built);
    }
    return built;
}

} // namespace orvelin::fuzz::peer
