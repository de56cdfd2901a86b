// The library's ciphers as the card-practice operations use them: one block
// at a time through the block exports, for every step shown, and whole
// messages through the CBC and CMAC exports, for the checks those steps must
// pass.
#ifndef ORVELIN_CARD_BLOCK_CIPHER_H
#define ORVELIN_CARD_BLOCK_CIPHER_H

#include "card_result.h"
#include "field_reading.h"
#include "operations.h"
#include "tavik_alg_binding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace orvelin::card {

// The cipher an operation names, in the core's one model (its chaining is
// not read); its key, block and limits are the core's (AlgorithmOf,
// CipherDataLimit, CmacDataLimit).
using CipherModel = orvelin::CipherChoice;

inline constexpr CipherModel kCardDes{.cipher = Cipher::des};
inline constexpr CipherModel kCardTwoKeyTdes{.cipher = Cipher::two_key_tdes};
inline constexpr CipherModel kCardThreeKeyTdes{.cipher = Cipher::three_key_tdes};
inline constexpr CipherModel kCardAes{.cipher = Cipher::aes};

inline constexpr std::size_t kMaxBlockSize = TAVIK_AES_BLOCK_SIZE;

// A keyed block cipher over the bound library. It keeps a reference to the
// library and a copy of the key (and the AES schedule); it writes nothing
// the caller owns.
class BlockCipher {
  public:
    // A key of any length but the cipher's own (8 bytes for single DES) is
    // refused with the message that names the length.
    static std::variant<CardRefusal, BlockCipher> Make(const TavikAlgBinding& library,
                                                       const CipherModel& model,
                                                       std::span<const std::uint8_t> key);

    Cipher cipher() const { return cipher_; }
    std::size_t block_size() const { return AlgorithmOf(cipher_).block; }

    // One block through EnOrDecrypt_DES, EnOrDecrypt_3DES, EnOrDecrypt_3DES_3KEY
    // or AES_Encrypt/AES_Decrypt. Anything but exactly one block calls nothing
    // and gives an empty result.
    Bytes Encrypt(std::span<const std::uint8_t> block) const;
    Bytes Decrypt(std::span<const std::uint8_t> block) const;

    // The whole-message routes. CBC encryption of `data` (whole blocks, at
    // most CipherDataLimit bytes) from `iv` (one block) through
    // EnOrDecrypt_DES_CBC, EnOrDecrypt_3DES_CBC, EnOrDecrypt_3DES_3KEY_CBC or
    // AES_EncryptCBC; nullopt, with nothing called, outside those sizes.
    std::optional<Bytes> LibraryCbcEncrypt(std::span<const std::uint8_t> iv,
                                           std::span<const std::uint8_t> data) const;
    // The full MAC block of TDES_CMAC, TDES_3KEY_CMAC or AES_CMAC chained from
    // `iv` (one block); nullopt, with nothing called, for single DES (no
    // export) or a message over the export's limit (CmacDataLimit).
    std::optional<Bytes> LibraryCmac(std::span<const std::uint8_t> iv,
                                     std::span<const std::uint8_t> message) const;

    // The exports behind those routes, for the messages of failed checks.
    std::string_view CbcExportName() const;
    std::string_view CmacExportName() const; // empty for single DES
    // CmacDataLimit: 512 bytes for triple DES, 32767 for AES, 0 for single DES.
    std::size_t CmacLimit() const { return CmacDataLimit(cipher_); }

  private:
    BlockCipher(const TavikAlgBinding& library, Cipher cipher, std::span<const std::uint8_t> key);
    Bytes RunBlock(std::uint8_t mode, std::span<const std::uint8_t> block) const;

    const TavikAlgBinding* library_;
    Cipher cipher_;
    std::array<std::uint8_t, TAVIK_3TDES_KEY_SIZE> key_{};
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule_{};
};

// XOR of two equal-length byte strings (the shorter length if they differ).
Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

} // namespace orvelin::card

#endif
