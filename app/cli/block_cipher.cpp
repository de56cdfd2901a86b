#include "block_cipher.h"

#include <algorithm>
#include <stdexcept>

namespace orvelin::cli {

BlockCipher::BlockCipher(const TavikAlgBinding& library, Cipher cipher,
                         std::span<const std::uint8_t> key)
    : library_(library), cipher_(cipher) {
    const auto kept = key.first(std::min(key.size(), key_.size()));
    std::copy(kept.begin(), kept.end(), key_.begin());
    if (cipher_ == Cipher::aes) {
        library_.AES_ExpandKey(key_.data(), schedule_.data());
    }
}

std::size_t BlockCipher::block_size() const {
    return FactsOf(cipher_).algorithm->block;
}

void BlockCipher::Encrypt(std::span<std::uint8_t> block) const {
    Run(TAVIK_MODE_ENCRYPT, block);
}

void BlockCipher::Decrypt(std::span<std::uint8_t> block) const {
    Run(TAVIK_MODE_DECRYPT, block);
}

void BlockCipher::Run(std::uint8_t mode, std::span<std::uint8_t> block) const {
    if (block.size() != block_size()) {
        throw std::invalid_argument("BlockCipher: not one block");
    }
    switch (cipher_) {
    case Cipher::des:
        library_.EnOrDecrypt_DES(mode, key_.data(), block.data());
        break;
    case Cipher::two_key_tdes:
        library_.EnOrDecrypt_3DES(mode, key_.data(), TAVIK_DES_BLOCK_SIZE, block.data());
        break;
    case Cipher::three_key_tdes:
        library_.EnOrDecrypt_3DES_3KEY(mode, key_.data(), TAVIK_DES_BLOCK_SIZE, block.data());
        break;
    case Cipher::aes:
        (mode == TAVIK_MODE_ENCRYPT ? library_.AES_Encrypt : library_.AES_Decrypt)(
            block.data(), schedule_.data(), block.data());
        break;
    }
}

} // namespace orvelin::cli
