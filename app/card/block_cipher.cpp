#include "block_cipher.h"

#include "card_messages.h"

#include <algorithm>

namespace orvelin::card {
namespace {

// The key the block exports read: single DES its 8 bytes.
std::size_t KeySizeOf(Cipher cipher) {
    const Algorithm& algorithm = AlgorithmOf(cipher);
    return algorithm.key_length != 0 ? algorithm.key_length : algorithm.key_minimum;
}

} // namespace

std::variant<CardRefusal, BlockCipher> BlockCipher::Make(const TavikAlgBinding& library,
                                                         const CipherModel& model,
                                                         std::span<const std::uint8_t> key) {
    if (key.size() != KeySizeOf(model.cipher)) {
        return CardRefusal{messages::KeyLength(KeySizeOf(model.cipher))};
    }
    return BlockCipher(library, model.cipher, key);
}

BlockCipher::BlockCipher(const TavikAlgBinding& library, Cipher cipher,
                         std::span<const std::uint8_t> key)
    : library_(&library), cipher_(cipher) {
    std::copy(key.begin(), key.end(), key_.begin());
    if (cipher_ == Cipher::aes) {
        library_->AES_ExpandKey(key_.data(), schedule_.data());
    }
}

Bytes BlockCipher::Encrypt(std::span<const std::uint8_t> block) const {
    return RunBlock(TAVIK_MODE_ENCRYPT, block);
}

Bytes BlockCipher::Decrypt(std::span<const std::uint8_t> block) const {
    return RunBlock(TAVIK_MODE_DECRYPT, block);
}

Bytes BlockCipher::RunBlock(std::uint8_t mode, std::span<const std::uint8_t> block) const {
    if (block.size() != block_size()) {
        return {};
    }
    std::array<std::uint8_t, kMaxBlockSize> buffer{};
    std::copy(block.begin(), block.end(), buffer.begin());
    switch (cipher_) {
    case Cipher::des:
        library_->EnOrDecrypt_DES(mode, key_.data(), buffer.data());
        break;
    case Cipher::two_key_tdes:
        library_->EnOrDecrypt_3DES(mode, key_.data(), TAVIK_DES_BLOCK_SIZE, buffer.data());
        break;
    case Cipher::three_key_tdes:
        library_->EnOrDecrypt_3DES_3KEY(mode, key_.data(), TAVIK_DES_BLOCK_SIZE, buffer.data());
        break;
    case Cipher::aes:
        (mode == TAVIK_MODE_ENCRYPT ? library_->AES_Encrypt : library_->AES_Decrypt)(
            buffer.data(), schedule_.data(), buffer.data());
        break;
    }
    return {buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(block.size())};
}

std::optional<Bytes> BlockCipher::LibraryCbcEncrypt(std::span<const std::uint8_t> iv,
                                                    std::span<const std::uint8_t> data) const {
    const std::size_t size = block_size();
    if (iv.size() != size || data.size() % size != 0 || data.size() > CipherDataLimit(cipher_)) {
        return std::nullopt;
    }
    Bytes out(data.begin(), data.end());
    if (out.empty()) {
        return out;
    }
    std::array<std::uint8_t, kMaxBlockSize> chaining{};
    std::copy(iv.begin(), iv.end(), chaining.begin());
    const auto length = static_cast<std::uint32_t>(out.size());
    switch (cipher_) {
    case Cipher::des:
        library_->EnOrDecrypt_DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(), length,
                                      out.data());
        break;
    case Cipher::two_key_tdes:
        library_->EnOrDecrypt_3DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(), length,
                                       out.data());
        break;
    case Cipher::three_key_tdes:
        library_->EnOrDecrypt_3DES_3KEY_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(),
                                            length, out.data());
        break;
    case Cipher::aes:
        // It writes P xor V back into its input, which is our copy.
        library_->AES_EncryptCBC(out.data(), schedule_.data(), out.data(),
                                 static_cast<std::uint16_t>(length), chaining.data());
        break;
    }
    return out;
}

std::optional<Bytes> BlockCipher::LibraryCmac(std::span<const std::uint8_t> iv,
                                              std::span<const std::uint8_t> message) const {
    if (cipher_ == Cipher::des || iv.size() != block_size() || message.size() > CmacLimit()) {
        return std::nullopt;
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
    (library_->*entry)(key_.data(), message.empty() ? &none : message.data(),
                       static_cast<std::int16_t>(message.size()), mac.data(), chaining.data());
    return Bytes(mac.begin(), mac.begin() + static_cast<std::ptrdiff_t>(block_size()));
}

std::string_view BlockCipher::CbcExportName() const {
    return ExportName(
        CipherExport({.cipher = cipher_, .chaining = Chaining::cbc}, Direction::encrypt));
}

std::string_view BlockCipher::CmacExportName() const {
    return cipher_ == Cipher::des ? std::string_view() : ExportName(CmacExport(cipher_));
}

Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    Bytes out(std::min(a.size(), b.size()));
    std::transform(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(out.size()), b.begin(),
                   out.begin(),
                   [](std::uint8_t x, std::uint8_t y) { return static_cast<std::uint8_t>(x ^ y); });
    return out;
}

} // namespace orvelin::card
