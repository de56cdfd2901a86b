// CBC over the DES-family block functions, with the chaining value carried in
// the caller's `iv` so that consecutive calls continue one chain.
#include "bytes.h"
#include "tavik_alg.h"

namespace {

using tavik::Block;

constexpr std::size_t kBlockSize = TAVIK_DES_BLOCK_SIZE;

// Bit 0 of `mode` is the block direction, bit 1 the chaining direction; CBC
// decryption sets both and CBC encryption neither.
constexpr std::uint8_t kDirectionBit = 0x01;
constexpr std::uint8_t kDecryptionChainingBit = 0x02;
static_assert((kDirectionBit | kDecryptionChainingBit) == TAVIK_MODE_CBC_DECRYPT);
static_assert(TAVIK_MODE_CBC_ENCRYPT == 0);

// After each block `iv` holds the ciphertext side of it: the block written
// when chaining for encryption, the block read when chaining for decryption.
template <typename BlockFunction>
std::int32_t chain(std::uint8_t mode, std::uint8_t* iv_bytes, std::uint32_t length,
                   std::uint8_t* data, BlockFunction block_function) {
    if (length % kBlockSize != 0) {
        return TAVIK_LENGTH_NOT_MULTIPLE_OF_8;
    }
    const auto iv = tavik::bytes<kBlockSize>(iv_bytes);
    const std::uint8_t direction =
        (mode & kDirectionBit) != 0 ? TAVIK_MODE_DECRYPT : TAVIK_MODE_ENCRYPT;
    const bool decryption_chaining = (mode & kDecryptionChainingBit) != 0;
    const std::span<std::uint8_t> message(data, length);
    for (std::size_t offset = 0; offset < message.size(); offset += kBlockSize) {
        const auto block = message.subspan(offset).first<kBlockSize>();
        if (decryption_chaining) {
            Block<kBlockSize> read{};
            std::copy(block.begin(), block.end(), read.begin());
            block_function(direction, block.data());
            tavik::xor_into<kBlockSize>(block, iv);
            std::copy(read.begin(), read.end(), iv.begin());
        } else {
            tavik::xor_into<kBlockSize>(block, iv);
            block_function(direction, block.data());
            std::copy(block.begin(), block.end(), iv.begin());
        }
    }
    return TAVIK_DONE;
}

} // namespace

extern "C" {

std::int32_t EnOrDecrypt_DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                 std::uint32_t length, std::uint8_t* data) noexcept {
    return chain(mode, iv, length, data, [key](std::uint8_t direction, std::uint8_t* block) {
        EnOrDecrypt_DES(direction, key, block);
    });
}

std::int32_t EnOrDecrypt_3DES_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                  std::uint32_t length, std::uint8_t* data) noexcept {
    return chain(mode, iv, length, data, [key](std::uint8_t direction, std::uint8_t* block) {
        EnOrDecrypt_3DES(direction, key, kBlockSize, block);
    });
}

std::int32_t EnOrDecrypt_3DES_3KEY_CBC(std::uint8_t mode, const std::uint8_t* key, std::uint8_t* iv,
                                       std::uint32_t length, std::uint8_t* data) noexcept {
    return chain(mode, iv, length, data, [key](std::uint8_t direction, std::uint8_t* block) {
        EnOrDecrypt_3DES_3KEY(direction, key, kBlockSize, block);
    });
}

} // extern "C"
