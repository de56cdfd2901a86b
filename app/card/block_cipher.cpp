#include "block_cipher.h"

#include "card_messages.h"

#include <algorithm>
#include <limits>

namespace orvelin::card {
namespace {

struct AlgorithmFacts {
    std::size_t key_size;
    std::size_t block_size;
    std::string_view name;
    std::string_view cbc_export;
    std::string_view cmac_export;
    std::size_t cmac_limit;
};

constexpr std::array<AlgorithmFacts, 4> kFacts = {{
    {TAVIK_DES_KEY_SIZE, TAVIK_DES_BLOCK_SIZE, "DES", ExportName(Export::EnOrDecrypt_DES_CBC), "",
     0},
    {TAVIK_2TDES_KEY_SIZE, TAVIK_DES_BLOCK_SIZE, "2TDES", ExportName(Export::EnOrDecrypt_3DES_CBC),
     ExportName(Export::TDES_CMAC), TAVIK_TDES_CMAC_MAX_LENGTH},
    {TAVIK_3TDES_KEY_SIZE, TAVIK_DES_BLOCK_SIZE, "3TDES",
     ExportName(Export::EnOrDecrypt_3DES_3KEY_CBC), ExportName(Export::TDES_3KEY_CMAC),
     TAVIK_TDES_CMAC_MAX_LENGTH},
    {TAVIK_AES_KEY_SIZE, TAVIK_AES_BLOCK_SIZE, "AES-128", ExportName(Export::AES_EncryptCBC),
     ExportName(Export::AES_CMAC), TAVIK_AES_CMAC_MAX_LENGTH},
}};

const AlgorithmFacts& FactsOf(BlockAlgorithm algorithm) {
    return kFacts.at(static_cast<std::size_t>(algorithm));
}

// AES_EncryptCBC's length is 16 bits: its whole blocks.
constexpr std::size_t kAesCbcLimit =
    std::numeric_limits<std::uint16_t>::max() / TAVIK_AES_BLOCK_SIZE * TAVIK_AES_BLOCK_SIZE;

} // namespace

BlockAlgorithm AlgorithmOf(const CipherModel& model) {
    switch (model.cipher) {
    case Cipher::aes:
        return BlockAlgorithm::aes;
    case Cipher::two_key_tdes:
        return BlockAlgorithm::two_key_tdes;
    case Cipher::three_key_tdes:
        return BlockAlgorithm::three_key_tdes;
    case Cipher::des:
        break;
    }
    return BlockAlgorithm::des;
}

std::size_t KeySizeOf(BlockAlgorithm algorithm) {
    return FactsOf(algorithm).key_size;
}

std::size_t BlockSizeOf(BlockAlgorithm algorithm) {
    return FactsOf(algorithm).block_size;
}

std::string_view NameOf(BlockAlgorithm algorithm) {
    return FactsOf(algorithm).name;
}

std::variant<CardRefusal, BlockCipher> BlockCipher::Make(const TavikAlgBinding& library,
                                                         const CipherModel& model,
                                                         std::span<const std::uint8_t> key) {
    const BlockAlgorithm algorithm = AlgorithmOf(model);
    if (key.size() != KeySizeOf(algorithm)) {
        return CardRefusal{messages::KeyLength(KeySizeOf(algorithm))};
    }
    return BlockCipher(library, algorithm, key);
}

BlockCipher::BlockCipher(const TavikAlgBinding& library, BlockAlgorithm algorithm,
                         std::span<const std::uint8_t> key)
    : library_(&library), algorithm_(algorithm) {
    std::copy(key.begin(), key.end(), key_.begin());
    if (algorithm_ == BlockAlgorithm::aes) {
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
    switch (algorithm_) {
    case BlockAlgorithm::des:
        library_->EnOrDecrypt_DES(mode, key_.data(), buffer.data());
        break;
    case BlockAlgorithm::two_key_tdes:
        library_->EnOrDecrypt_3DES(mode, key_.data(), TAVIK_DES_BLOCK_SIZE, buffer.data());
        break;
    case BlockAlgorithm::three_key_tdes:
        library_->EnOrDecrypt_3DES_3KEY(mode, key_.data(), TAVIK_DES_BLOCK_SIZE, buffer.data());
        break;
    case BlockAlgorithm::aes:
        (mode == TAVIK_MODE_ENCRYPT ? library_->AES_Encrypt : library_->AES_Decrypt)(
            buffer.data(), schedule_.data(), buffer.data());
        break;
    }
    return {buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(block.size())};
}

std::optional<Bytes> BlockCipher::LibraryCbcEncrypt(std::span<const std::uint8_t> iv,
                                                    std::span<const std::uint8_t> data) const {
    const std::size_t size = block_size();
    const std::size_t limit = algorithm_ == BlockAlgorithm::aes ? kAesCbcLimit : kMaxCbcLength;
    if (iv.size() != size || data.size() % size != 0 || data.size() > limit) {
        return std::nullopt;
    }
    Bytes out(data.begin(), data.end());
    if (out.empty()) {
        return out;
    }
    std::array<std::uint8_t, kMaxBlockSize> chaining{};
    std::copy(iv.begin(), iv.end(), chaining.begin());
    const auto length = static_cast<std::uint32_t>(out.size());
    switch (algorithm_) {
    case BlockAlgorithm::des:
        library_->EnOrDecrypt_DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(), length,
                                      out.data());
        break;
    case BlockAlgorithm::two_key_tdes:
        library_->EnOrDecrypt_3DES_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(), length,
                                       out.data());
        break;
    case BlockAlgorithm::three_key_tdes:
        library_->EnOrDecrypt_3DES_3KEY_CBC(TAVIK_MODE_CBC_ENCRYPT, key_.data(), chaining.data(),
                                            length, out.data());
        break;
    case BlockAlgorithm::aes:
        // It writes P xor V back into its input, which is our copy.
        library_->AES_EncryptCBC(out.data(), schedule_.data(), out.data(),
                                 static_cast<std::uint16_t>(length), chaining.data());
        break;
    }
    return out;
}

std::optional<Bytes> BlockCipher::LibraryCmac(std::span<const std::uint8_t> iv,
                                              std::span<const std::uint8_t> message) const {
    if (algorithm_ == BlockAlgorithm::des || iv.size() != block_size() ||
        message.size() > CmacLimit()) {
        return std::nullopt;
    }
    const auto entry = [this] {
        switch (algorithm_) {
        case BlockAlgorithm::two_key_tdes:
            return &TavikAlgBinding::TDES_CMAC;
        case BlockAlgorithm::three_key_tdes:
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
    return FactsOf(algorithm_).cbc_export;
}

std::string_view BlockCipher::CmacExportName() const {
    return FactsOf(algorithm_).cmac_export;
}

std::size_t BlockCipher::CmacLimit() const {
    return FactsOf(algorithm_).cmac_limit;
}

Bytes XorBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    Bytes out(std::min(a.size(), b.size()));
    std::transform(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(out.size()), b.begin(),
                   out.begin(),
                   [](std::uint8_t x, std::uint8_t y) { return static_cast<std::uint8_t>(x ^ y); });
    return out;
}

} // namespace orvelin::card
