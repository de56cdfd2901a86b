// The library's operations rebuilt on OpenSSL's libcrypto: the oracle of the
// tests and of the fuzz targets, and the yardstick of the benchmarks. Every
// OpenSSL failure throws std::runtime_error naming the step.
#ifndef ORVELIN_TESTS_OPENSSL_PEER_H
#define ORVELIN_TESTS_OPENSSL_PEER_H

#include "hex.h"

#include <openssl/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace testing_support::peer {

enum class Cipher { des, tdes2, tdes3, aes128 };

std::size_t block_size(Cipher cipher);

struct OpenSslFree {
    void operator()(EVP_CIPHER* cipher) const;
    void operator()(EVP_CIPHER_CTX* context) const;
    void operator()(EVP_MAC* mac) const;
    void operator()(EVP_MAC_CTX* context) const;
};

// One OpenSSL cipher keyed once, without padding: ECB, or CBC when an IV is
// given, the chain restarting from that IV on every run.
class BlockCipher {
  public:
    BlockCipher(Cipher cipher, bool encrypt, std::span<const std::uint8_t> key,
                std::span<const std::uint8_t> iv = {});

    // Whole blocks, in place.
    void run(std::span<std::uint8_t> data);

  private:
    Bytes iv_;
    std::unique_ptr<EVP_CIPHER, OpenSslFree> cipher_;
    std::unique_ptr<EVP_CIPHER_CTX, OpenSslFree> context_;
};

// OpenSSL's own CMAC (SP 800-38B: the chain starts from zero), keyed afresh on
// every MAC as the library's is.
class Cmac {
  public:
    Cmac(Cipher cipher, std::span<const std::uint8_t> key);

    // The full MAC, block_size bytes, into the front of `tag`.
    void run(std::span<const std::uint8_t> message, std::span<std::uint8_t> tag);

  private:
    std::string name_;
    Bytes key_;
    std::size_t size_;
    std::unique_ptr<EVP_MAC, OpenSslFree> mac_;
    std::unique_ptr<EVP_MAC_CTX, OpenSslFree> context_;
};

// Whole blocks, each on its own.
Bytes ecb(Cipher cipher, bool encrypt, std::span<const std::uint8_t> key,
          std::span<const std::uint8_t> data);

// CBC read the library's way: `mode` bit 0 the block direction, bit 1 the
// chaining direction (0 and 3 are plain CBC encryption and decryption). On
// return `iv` holds the last ciphertext block, as the DES family leaves it.
Bytes cbc(Cipher cipher, std::uint8_t mode, std::span<const std::uint8_t> key, Bytes& iv,
          std::span<const std::uint8_t> data);

// OpenSSL's CMAC of `message`, the full block.
Bytes cmac(Cipher cipher, std::span<const std::uint8_t> key, std::span<const std::uint8_t> message);

// The library's CMAC, chained from `iv`, which OpenSSL's cannot express: CBC
// encryption from `iv` of the message with its last block masked by the
// subkey. Checked against cmac() where the IV is zero.
Bytes cmac_from_iv(Cipher cipher, std::span<const std::uint8_t> key,
                   std::span<const std::uint8_t> iv, std::span<const std::uint8_t> message);

} // namespace testing_support::peer

#endif
