// The library's operations rebuilt on OpenSSL, as the oracle of
// cipherlib_openssl_fuzz.
#ifndef ORVELIN_FUZZ_OPENSSL_PEER_H
#define ORVELIN_FUZZ_OPENSSL_PEER_H

#include "cipher_case.h"

#include <cstdint>
#include <span>

namespace orvelin::fuzz::peer {

// Single DES runs as three-key triple DES with three equal keys.
enum class Cipher { des, tdes2, tdes3, aes128 };

std::size_t BlockSize(Cipher cipher);

// Whole blocks, each on its own.
Bytes Ecb(Cipher cipher, bool encrypt, const Bytes& key, std::span<const std::uint8_t> data);

// CBC read the library's way: `mode` bit 0 the block direction, bit 1 the
// chaining direction (0 and 3 are plain CBC encryption and decryption). On
// return `iv` holds the last ciphertext block.
Bytes Cbc(Cipher cipher, std::uint8_t mode, const Bytes& key, Bytes& iv,
          std::span<const std::uint8_t> data);

// The full-block CMAC chained from `iv`.
Bytes Cmac(Cipher cipher, const Bytes& key, const Bytes& iv, std::span<const std::uint8_t> message);

} // namespace orvelin::fuzz::peer

#endif
