// AES-128 in CBC form over the whole 16-byte blocks of a buffer. The IV is
// read only: every call starts its chain from the caller's IV again.
#include "aes_engine.h"
#include "tavik_alg.h"

namespace {

using tavik::aes::kBlockSize;
using tavik::aes::State;

std::span<std::uint8_t, kBlockSize> block_at(std::span<std::uint8_t> buffer, std::size_t index) {
    return buffer.subspan(index * kBlockSize).first<kBlockSize>();
}
std::span<const std::uint8_t, kBlockSize> block_at(std::span<const std::uint8_t> buffer,
                                                   std::size_t index) {
    return buffer.subspan(index * kBlockSize).first<kBlockSize>();
}

} // namespace

extern "C" {

// P xor V is formed in `input` itself, so that buffer ends up holding it.
std::int32_t AES_EncryptCBC(std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    const std::size_t whole = length - length % kBlockSize;
    const std::span<std::uint8_t> in(input, whole);
    const std::span<std::uint8_t> out(output, whole);
    const auto schedule = tavik::bytes<tavik::aes::kScheduleSize>(roundKeys);
    const auto caller_iv = tavik::bytes<kBlockSize>(iv);
    State chaining{};
    std::copy(caller_iv.begin(), caller_iv.end(), chaining.begin());
    for (std::size_t i = 0; i < whole / kBlockSize; ++i) {
        const auto plain = block_at(in, i);
        tavik::xor_into<kBlockSize>(plain, chaining);
        State state{};
        std::copy(plain.begin(), plain.end(), state.begin());
        chaining = tavik::aes::encrypt_block(state, schedule);
        std::copy(chaining.begin(), chaining.end(), block_at(out, i).begin());
    }
    return TAVIK_DONE;
}

// From the last block back, each predecessor read before its successor's
// output is written, so `output` may be `input`.
std::int32_t AES_DecryptCBC(const std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    const std::size_t blocks = length / kBlockSize;
    const std::span<const std::uint8_t> in(input, blocks * kBlockSize);
    const std::span<std::uint8_t> out(output, blocks * kBlockSize);
    for (std::size_t i = blocks; i-- > 1;) {
        State previous{};
        const auto prev = block_at(in, i - 1);
        std::copy(prev.begin(), prev.end(), previous.begin());
        AES_Decrypt(block_at(in, i).data(), roundKeys, block_at(out, i).data());
        tavik::xor_into<kBlockSize>(block_at(out, i), previous);
    }
    if (blocks > 0) {
        AES_Decrypt(input, roundKeys, output);
        tavik::xor_into<kBlockSize>(block_at(out, 0), tavik::bytes<kBlockSize>(iv));
    }
    return TAVIK_DONE;
}

} // extern "C"
