// The library's ciphers as the card-practice operations use them: one block
// at a time through the block exports, for every step shown, and whole
// messages through the CBC and CMAC exports, for the checks those steps must
// pass.
#ifndef ORVELIN_CARD_BLOCK_CIPHER_H
#define ORVELIN_CARD_BLOCK_CIPHER_H

#include "card_result.h"
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
// not read). AlgorithmOf is the one place that maps it onto the library.
using CipherModel = orvelin::CipherChoice;

inline constexpr CipherModel kCardDes{.cipher = Cipher::des};
inline constexpr CipherModel kCardTwoKeyTdes{.cipher = Cipher::two_key_tdes};
inline constexpr CipherModel kCardThreeKeyTdes{.cipher = Cipher::three_key_tdes};
inline constexpr CipherModel kCardAes{.cipher = Cipher::aes};

// The library's block ciphers.
enum class BlockAlgorithm { des, two_key_tdes, three_key_tdes, aes };

BlockAlgorithm AlgorithmOf(const CipherModel& model);

// 8, 16, 24 and 16 bytes; 8, 8, 8 and 16 bytes.
std::size_t KeySizeOf(BlockAlgorithm algorithm);
std::size_t BlockSizeOf(BlockAlgorithm algorithm);
// "DES", "2TDES", "3TDES", "AES-128".
std::string_view NameOf(BlockAlgorithm algorithm);

inline constexpr std::size_t kMaxBlockSize = TAVIK_AES_BLOCK_SIZE;

// A keyed block cipher over the bound library. It keeps a reference to the
// library and a copy of the key (and the AES schedule); it writes nothing
// the caller owns.
class BlockCipher {
  public:
    // A key of any length but the cipher's own is refused with the message
    // that names the length.
    static std::variant<CardRefusal, BlockCipher> Make(const TavikAlgBinding& library,
                                                       const CipherModel& model,
                                                       std::span<const std::uint8_t> key);

    BlockAlgorithm algorithm() const { return algorithm_; }
    std::size_t block_size() const { return BlockSizeOf(algorithm_); }

    // One block through EnOrDecrypt_DES, EnOrDecrypt_3DES, EnOrDecrypt_3DES_3KEY
    // or AES_Encrypt/AES_Decrypt. Anything but exactly one block calls nothing
    // and gives an empty result.
    Bytes Encrypt(std::span<const std::uint8_t> block) const;
    Bytes Decrypt(std::span<const std::uint8_t> block) const;

    // The whole-message routes. CBC encryption of `data` (whole blocks, at
    // most kMaxCbcLength bytes) from `iv` (one block) through
    // EnOrDecrypt_DES_CBC, EnOrDecrypt_3DES_CBC, EnOrDecrypt_3DES_3KEY_CBC or
    // AES_EncryptCBC; nullopt, with nothing called, outside those sizes.
    std::optional<Bytes> LibraryCbcEncrypt(std::span<const std::uint8_t> iv,
                                           std::span<const std::uint8_t> data) const;
    // The full MAC block of TDES_CMAC, TDES_3KEY_CMAC or AES_CMAC chained from
    // `iv` (one block); nullopt, with nothing called, for single DES (no
    // export) or a message over the export's limit (CmacLimit).
    std::optional<Bytes> LibraryCmac(std::span<const std::uint8_t> iv,
                                     std::span<const std::uint8_t> message) const;

    // The exports behind those routes, for the messages of failed checks.
    std::string_view CbcExportName() const;
    std::string_view CmacExportName() const; // empty for single DES
    // 512 bytes for triple DES, 32767 for AES, 0 for single DES.
    std::size_t CmacLimit() const;

    // Whole DES-family CBC lengths are held to this; AES_EncryptCBC's own
    // 16-bit length is lower.
    static constexpr std::size_t kMaxCbcLength = 65520;

  private:
    BlockCipher(const TavikAlgBinding& library, BlockAlgorithm algorithm,
                std::span<const std::uint8_t> key);
    Bytes RunBlock(std::uint8_t mode, std::span<const std::uint8_t> block) const;

    const TavikAlgBinding* library_;
    BlockAlgorithm algorithm_;
    std::array<std::uint8_t, TAVIK_3TDES_KEY_SIZE> key_{};
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule_{};
};

// XOR of two equal-length byte strings (the shorter length if they differ).
Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

} // namespace orvelin::card

#endif
