// The library's ciphers as the card-practice operations use them: one block
// at a time through the block exports, for every step shown, and whole
// messages through the CBC and CMAC exports, for the checks those steps must
// pass. Every call's result is read: one that does not report done is a
// refusal naming the export, never a buffer passed on.
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
    // Refused: a key of any length but the cipher's own (8 bytes for single
    // DES), with the message that names the length; an AES key whose
    // AES_ExpandKey does not report done.
    static OrRefusal<BlockCipher> Make(const TavikAlgBinding& library, const CipherModel& model,
                                       std::span<const std::uint8_t> key);

    Cipher cipher() const { return cipher_; }
    std::size_t block_size() const { return AlgorithmOf(cipher_).block; }

    // One block through EnOrDecrypt_DES, EnOrDecrypt_3DES, EnOrDecrypt_3DES_3KEY
    // or AES_Encrypt/AES_Decrypt. Refused: anything but exactly one block
    // (nothing called), an export that does not report done.
    OrRefusal<Bytes> Encrypt(std::span<const std::uint8_t> block) const;
    OrRefusal<Bytes> Decrypt(std::span<const std::uint8_t> block) const;

    // The whole-message routes. CBC encryption of `data` from `iv` through
    // EnOrDecrypt_DES_CBC, EnOrDecrypt_3DES_CBC, EnOrDecrypt_3DES_3KEY_CBC or
    // AES_EncryptCBC. Refused with nothing called: an IV that is not one
    // block, data that is not whole blocks or over CipherDataLimit; and an
    // export that does not report done.
    OrRefusal<Bytes> LibraryCbcEncrypt(std::span<const std::uint8_t> iv,
                                       std::span<const std::uint8_t> data) const;
    // The full MAC block of TDES_CMAC, TDES_3KEY_CMAC or AES_CMAC chained from
    // `iv`. Refused with nothing called: single DES (no export), an IV that
    // is not one block, a message over CmacLimit(); and an export that does
    // not report done.
    OrRefusal<Bytes> LibraryCmac(std::span<const std::uint8_t> iv,
                                 std::span<const std::uint8_t> message) const;

    // The exports behind those routes, for the messages of failed checks.
    std::string_view BlockExportName(Direction direction) const;
    std::string_view CbcExportName() const;
    std::string_view CmacExportName() const; // empty for single DES
    // CmacDataLimit: 512 bytes for triple DES, 32767 for AES, 0 for single DES.
    std::size_t CmacLimit() const { return CmacDataLimit(cipher_); }

  private:
    BlockCipher(const TavikAlgBinding& library, Cipher cipher, std::span<const std::uint8_t> key);
    OrRefusal<Bytes> RunBlock(Direction direction, std::span<const std::uint8_t> block) const;
    std::int32_t CallBlockExport(Direction direction, std::span<std::uint8_t> block) const;
    std::int32_t CallCbcExport(std::span<std::uint8_t> chaining,
                               std::span<std::uint8_t> data) const;

    const TavikAlgBinding* library_;
    Cipher cipher_;
    std::array<std::uint8_t, TAVIK_3TDES_KEY_SIZE> key_{};
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule_{};
};

// Nothing, or a refusal naming `routine`'s broken precondition: an IV of one
// `block`-byte block and data of whole blocks, which every CBC chain assumes.
std::optional<CardRefusal> RequireWholeBlocks(std::string_view routine, std::size_t block,
                                              std::span<const std::uint8_t> iv,
                                              std::span<const std::uint8_t> data);

// XOR of two equal-length byte strings (the shorter length if they differ).
Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

} // namespace orvelin::card

#endif
