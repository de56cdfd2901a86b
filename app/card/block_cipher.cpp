#include "block_cipher.h"

#include "card_messages.h"
#include "messages.h"

#include <algorithm>
#include <string>

namespace orvelin::card {
namespace {

// The key the block exports read: single DES its 8 bytes.
std::size_t KeySizeOf(Cipher cipher) {
    const Algorithm& algorithm = AlgorithmOf(cipher);
    return algorithm.key_length != 0 ? algorithm.key_length : algorithm.key_minimum;
}

std::optional<CardRefusal> RefuseUnlessDone(std::string_view export_name, std::int32_t code) {
    if (code == TAVIK_DONE) {
        return std::nullopt;
    }
    return CardRefusal{orvelin::messages::ExportResult(export_name, code)};
}

// "16 bytes", "1 byte".
std::string SizeText(std::size_t size) {
    return std::to_string(size) + (size == 1 ? " byte" : " bytes");
}

} // namespace

OrRefusal<BlockCipher> BlockCipher::Make(const TavikAlgBinding& library, const CipherModel& model,
                                         std::span<const std::uint8_t> key) {
    if (key.size() != KeySizeOf(model.cipher)) {
        return CardRefusal{messages::KeyLength(KeySizeOf(model.cipher))};
    }
    BlockCipher cipher(library, model.cipher, key);
    if (cipher.cipher_ == Cipher::aes) {
        const std::int32_t code =
            library.AES_ExpandKey(cipher.key_.data(), cipher.schedule_.data());
        if (auto refusal = RefuseUnlessDone(ExportName(Export::AES_ExpandKey), code)) {
            return *refusal;
        }
    }
    return cipher;
}

BlockCipher::BlockCipher(const TavikAlgBinding& library, Cipher cipher,
                         std::span<const std::uint8_t> key)
    : library_(&library), cipher_(cipher) {
    std::copy(key.begin(), key.end(), key_.begin());
}

OrRefusal<Bytes> BlockCipher::Encrypt(std::span<const std::uint8_t> block) const {
    return RunBlock(Direction::encrypt, block);
}

OrRefusal<Bytes> BlockCipher::Decrypt(std::span<const std::uint8_t> block) const {
    return RunBlock(Direction::decrypt, block);
}

OrRefusal<Bytes> BlockCipher::RunBlock(Direction direction,
                                       std::span<const std::uint8_t> block) const {
    const std::size_t size = block_size();
    if (block.size() != size) {
        return CardRefusal{messages::PreconditionBroken(std::string(BlockExportName(direction)) +
                                                        " takes one block of " + SizeText(size) +
                                                        ", not " + SizeText(block.size()))};
    }
    std::array<std::uint8_t, kMaxBlockSize> buffer{};
    std::copy(block.begin(), block.end(), buffer.begin());
    const std::int32_t code = CallBlockExport(direction, std::span(buffer).first(size));
    if (auto refusal = RefuseUnlessDone(BlockExportName(direction), code)) {
        return *refusal;
    }
    return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size));
}

std::int32_t BlockCipher::CallBlockExport(Direction direction,
                                          std::span<std::uint8_t> block) const {
    const std::uint8_t mode =
        direction == Direction::encrypt ? TAVIK_MODE_ENCRYPT : TAVIK_MODE_DECRYPT;
    switch (cipher_) {
    case Cipher::des:
        return library_->EnOrDecrypt_DES(mode, key_.data(), block.data());
    case Cipher::two_key_tdes:
        return library_->EnOrDecrypt_3DES(mode, key_.data(), TAVIK_DES_BLOCK_SIZE, block.data());
    case Cipher::three_key_tdes:
        return library_->EnOrDecrypt_3DES_3KEY(mode, key_.data(), TAVIK_DES_BLOCK_SIZE,
                                               block.data());
    case Cipher::aes:
        break;
    }
    const auto& entry =
        direction == Direction::encrypt ? library_->AES_Encrypt : library_->AES_Decrypt;
    return entry(block.data(), schedule_.data(), block.data());
}

OrRefusal<Bytes> BlockCipher::LibraryCbcEncrypt(std::span<const std::uint8_t> iv,
                                                std::span<const std::uint8_t> data) const {
    if (auto refusal = RequireWholeBlocks(CbcExportName(), block_size(), iv, data)) {
        return *refusal;
    }
    if (data.size() > CipherDataLimit(cipher_)) {
        return CardRefusal{messages::PreconditionBroken(
            std::string(CbcExportName()) + " takes at most " + SizeText(CipherDataLimit(cipher_)) +
            ", not " + SizeText(data.size()))};
    }
    Bytes out(data.begin(), data.end());
    if (out.empty()) {
        return out;
    }
    std::array<std::uint8_t, kMaxBlockSize> chaining{};
    std::copy(iv.begin(), iv.end(), chaining.begin());
    if (auto refusal = RefuseUnlessDone(CbcExportName(), CallCbcExport(chaining, out))) {
        return *refusal;
    }
    return out;
}

std::int32_t BlockCipher::CallCbcExport(std::span<std::uint8_t> chaining,
                                        std::span<std::uint8_t> data) const {
    const auto length = static_cast<std::uint32_t>(data.size());
    switch (cipher_) {
    case Cipher::des:
        return library_->EnOrDecrypt_DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(),
                                             length, data.data());
    case Cipher::two_key_tdes:
        return library_->EnOrDecrypt_3DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(),
                                              length, data.data());
    case Cipher::three_key_tdes:
        return library_->EnOrDecrypt_3DES_3KEY_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(),
                                                   chaining.data(), length, data.data());
    case Cipher::aes:
        break;
    }
    // It writes P xor V back into its input, which is the caller's copy.
    return library_->AES_EncryptCBC(data.data(), schedule_.data(), data.data(),
                                    static_cast<std::uint16_t>(length), chaining.data());
}

OrRefusal<Bytes> BlockCipher::LibraryCmac(std::span<const std::uint8_t> iv,
                                          std::span<const std::uint8_t> message) const {
    if (cipher_ == Cipher::des) {
        return CardRefusal{std::string(messages::kNoCmacForDes)};
    }
    if (iv.size() != block_size() || message.size() > CmacLimit()) {
        return CardRefusal{messages::PreconditionBroken(
            std::string(CmacExportName()) + " takes an IV of " + SizeText(block_size()) +
            " and at most " + SizeText(CmacLimit()) + " of message, not " + SizeText(iv.size()) +
            " and " + SizeText(message.size()))};
    }
    const auto entry = [this] {
        switch (cipher_) {
        case Cipher::two_key_tdes:
            return &TavikAlgBinding::TDES_CMAC;
        case Cipher::three_key_tdes:
            return &TavikAlgBinding::TDES_3KEY_CMAC;
        default:
            return &TavikAlgBinding::AES_CMAC;
        }
    }();
    std::array<std::uint8_t, kMaxBlockSize> chaining{};
    std::copy(iv.begin(), iv.end(), chaining.begin());
    std::array<std::uint8_t, kMaxBlockSize> mac{};
    // An empty message still passes a pointer to something.
    const std::uint8_t none = 0;
    const std::int32_t code =
        (library_->*entry)(key_.data(), message.empty() ? &none : message.data(),
                           static_cast<std::int16_t>(message.size()), mac.data(), chaining.data());
    if (auto refusal = RefuseUnlessDone(CmacExportName(), code)) {
        return *refusal;
    }
    return Bytes(mac.begin(), mac.begin() + static_cast<std::ptrdiff_t>(block_size()));
}

std::string_view BlockCipher::BlockExportName(Direction direction) const {
    return ExportName(CipherExport({.cipher = cipher_, .chaining = Chaining::ecb}, direction));
}

std::string_view BlockCipher::CbcExportName() const {
    return ExportName(
        CipherExport({.cipher = cipher_, .chaining = Chaining::cbc}, Direction::encrypt));
}

std::string_view BlockCipher::CmacExportName() const {
    return cipher_ == Cipher::des ? std::string_view() : ExportName(CmacExport(cipher_));
}

std::optional<CardRefusal> RequireWholeBlocks(std::string_view routine, std::size_t block,
                                              std::span<const std::uint8_t> iv,
                                              std::span<const std::uint8_t> data) {
    if (iv.size() == block && data.size() % block == 0) {
        return std::nullopt;
    }
    return CardRefusal{messages::PreconditionBroken(
        std::string(routine) + " takes an IV of one " + std::to_string(block) +
        "-byte block and whole blocks, not " + SizeText(iv.size()) + " of IV and " +
        SizeText(data.size()) + " of data")};
}

Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    Bytes out(std::min(a.size(), b.size()));
    std::transform(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(out.size()), b.begin(),
                   out.begin(),
                   [](std::uint8_t x, std::uint8_t y) { return static_cast<std::uint8_t>(x ^ y); });
    return out;
}

} // namespace orvelin::card
