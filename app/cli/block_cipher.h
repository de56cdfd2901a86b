// One block at a time through the library's block exports: EnOrDecrypt_DES,
// EnOrDecrypt_3DES and EnOrDecrypt_3DES_3KEY on 8 bytes, AES_Encrypt and
// AES_Decrypt under the schedule of AES_ExpandKey. The steps of a trace and
// the zero-block check value are built from these alone.
#ifndef TAVIK_BLOCK_CIPHER_H
#define TAVIK_BLOCK_CIPHER_H

#include "cipher_table.h"
#include "tavik_alg_binding.h"

#include <array>
#include <cstdint>
#include <span>

namespace orvelin::cli {

class BlockCipher {
  public:
    // `key` holds at least the cipher's key; single DES reads its first 8 bytes.
    BlockCipher(const TavikAlgBinding& library, Cipher cipher, std::span<const std::uint8_t> key);

    std::size_t block_size() const;
    // `block` is exactly block_size() bytes.
    void Encrypt(std::span<std::uint8_t> block) const;
    void Decrypt(std::span<std::uint8_t> block) const;

  private:
    void Run(std::uint8_t mode, std::span<std::uint8_t> block) const;

    const TavikAlgBinding& library_;
    Cipher cipher_;
    std::array<std::uint8_t, TAVIK_3TDES_KEY_SIZE> key_{};
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule_{};
};

} // namespace orvelin::cli

#endif
