// The library's ciphers as the card-practice operations use them: one block
// at a time through the block exports, for every step shown, and whole
// messages through the CBC and CMAC exports, for the checks those steps must
// pass. Every call's result is read: one that does not report done is a
// refusal naming the export, never a buffer passed on.
#ifndef ORVELIN_CARD_BLOCK_CIPHER_H
#define ORVELIN_CARD_BLOCK_CIPHER_H

#include "card_result.h"
#include "cipher_model.h"
#include "tavik_alg_binding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace orvelin::card {

// The ciphers an operation names, in the core's one model (cipher_model.h).
inline constexpr CipherModel kCardDes{.cipher = Cipher::des};
inline constexpr CipherModel kCardTwoKeyTdes{.cipher = Cipher::two_key_tdes};
inline constexpr CipherModel kCardThreeKeyTdes{.cipher = Cipher::three_key_tdes};
inline constexpr CipherModel kCardAes{.cipher = Cipher::aes};

inline constexpr std::size_t kMaxBlockSize = TAVIK_AES_BLOCK_SIZE;

// A keyed block cipher over the bound library, through the model's
// BoundCipher: it keeps a reference to the library and a copy of the key
// (and the AES schedule); it writes nothing the caller owns. Every failure
// of the model is a refusal: a broken precondition named, or the export
// whose result was not done.
class BlockCipher {
  public:
    // Refused: a key of any length but the cipher's own (8 bytes for single
    // DES), with the message that names the length; an AES key whose
    // AES_ExpandKey does not report done.
    static OrRefusal<BlockCipher> Make(const TavikAlgBinding& library, const CipherModel& model,
                                       std::span<const std::uint8_t> key);

    const CipherModel& model() const { return bound_.model(); }
    Cipher cipher() const { return model().cipher; }
    std::size_t block_size() const { return model().block_size(); }

    // One block through EnOrDecrypt_DES, EnOrDecrypt_3DES, EnOrDecrypt_3DES_3KEY
    // or AES_Encrypt/AES_Decrypt. Refused: anything but exactly one block
    // (nothing called), an export that does not report done.
    OrRefusal<Bytes> Encrypt(std::span<const std::uint8_t> block) const;
    OrRefusal<Bytes> Decrypt(std::span<const std::uint8_t> block) const;

    // The whole-message routes. `data` through the model's ECB or CBC export
    // (from `iv`, one block, for CBC). Refused with nothing called: an IV
    // that is not one block, data that is not whole blocks or over the
    // model's data limit; and an export that does not report done.
    OrRefusal<Bytes> LibraryRun(Chaining chaining, Direction direction,
                                std::span<const std::uint8_t> iv,
                                std::span<const std::uint8_t> data) const;
    // CBC encryption: EnOrDecrypt_DES_CBC, EnOrDecrypt_3DES_CBC,
    // EnOrDecrypt_3DES_3KEY_CBC or AES_EncryptCBC.
    OrRefusal<Bytes> LibraryCbcEncrypt(std::span<const std::uint8_t> iv,
                                       std::span<const std::uint8_t> data) const {
        return LibraryRun(Chaining::cbc, Direction::encrypt, iv, data);
    }
    // The full MAC block of TDES_CMAC, TDES_3KEY_CMAC or AES_CMAC chained from
    // `iv`. Refused with nothing called: single DES (no export), an IV that
    // is not one block, a message over CmacLimit(); and an export that does
    // not report done.
    OrRefusal<Bytes> LibraryCmac(std::span<const std::uint8_t> iv,
                                 std::span<const std::uint8_t> message) const;

    // The exports behind those routes, for the messages of failed checks.
    std::string_view RouteExportName(Chaining chaining, Direction direction) const {
        return ExportName(model().RouteExport(chaining, direction));
    }
    std::string_view BlockExportName(Direction direction) const {
        return RouteExportName(Chaining::ecb, direction);
    }
    std::string_view CbcExportName() const {
        return RouteExportName(Chaining::cbc, Direction::encrypt);
    }
    // Empty for single DES.
    std::string_view CmacExportName() const { return ExportName(model().CmacExport()); }
    // 512 bytes for triple DES, 32767 for AES, 0 for single DES.
    std::size_t CmacLimit() const { return model().cmac_limit(); }

  private:
    explicit BlockCipher(BoundCipher bound) : bound_(std::move(bound)) {}
    OrRefusal<Bytes> RunBlock(Direction direction, std::span<const std::uint8_t> block) const;

    BoundCipher bound_;
};

// The model's failure as a card refusal: "Precondition broken: <routine>
// takes <requirement>, not <found>!" or "<Export> returned <code>, not done
// (0)!".
CardRefusal CardRefusalOf(const RouteFailure& failure);

// Nothing, or a refusal naming `routine`'s broken precondition: an IV of one
// `block`-byte block and data of whole blocks, which every CBC chain assumes.
std::optional<CardRefusal> RequireWholeBlocks(std::string_view routine, std::size_t block,
                                              std::span<const std::uint8_t> iv,
                                              std::span<const std::uint8_t> data);

// XOR of two equal-length byte strings (the shorter length if they differ).
Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

} // namespace orvelin::card

#endif
