// AES-128 in CBC form over the whole 16-byte blocks of a buffer. The IV is
// read only: every call starts its chain from the caller's IV again. Both
// directions run the engine's rounds directly, with one schedule.
#include "aes_engine.h"
#include "tavik_alg.h"

namespace {

using tavik::aes::kBlockSize;
using tavik::aes::State;
using tavik::aes::state_of;

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
    const std::size_t blocks = length / kBlockSize;
    const std::span<std::uint8_t> in(input, blocks * kBlockSize);
    const std::span<std::uint8_t> out(output, blocks * kBlockSize);
    const auto schedule = tavik::bytes<tavik::aes::kScheduleSize>(roundKeys);
    State chaining = state_of(tavik::bytes<kBlockSize>(iv));
    for (std::size_t i = 0; i < blocks; ++i) {
        const auto plain = block_at(in, i);
        tavik::xor_into<kBlockSize>(plain, chaining);
        chaining = tavik::aes::encrypt_block(state_of(plain), schedule);
        std::copy(chaining.begin(), chaining.end(), block_at(out, i).begin());
    }
    return TAVIK_DONE;
}

// From the last block back, each predecessor read before its successor's
// output is written, so `output` may be `input`; the IV is read last.
std::int32_t AES_DecryptCBC(const std::uint8_t* input, const std::uint8_t* roundKeys,
                            std::uint8_t* output, std::uint16_t length,
                            const std::uint8_t* iv) noexcept {
    const std::size_t blocks = length / kBlockSize;
    const std::span<const std::uint8_t> in(input, blocks * kBlockSize);
    const std::span<std::uint8_t> out(output, blocks * kBlockSize);
    const auto schedule = tavik::bytes<tavik::aes::kScheduleSize>(roundKeys);
    for (std::size_t i = blocks; i-- > 0;) {
        const State previous = state_of(i > 0 ? block_at(in, i - 1) : tavik::bytes<kBlockSize>(iv));
        State plain = tavik::aes::decrypt_block(state_of(block_at(in, i)), schedule);
        tavik::xor_into<kBlockSize>(plain, previous);
        std::copy(plain.begin(), plain.end(), block_at(out, i).begin());
    }
    return TAVIK_DONE;
}

} // extern "C"
