// The AES-128 engine inside the library, shared by the block, CBC and CMAC
// exports. Nothing here is exported.
#ifndef TAVIK_ALG_AES_ENGINE_H
#define TAVIK_ALG_AES_ENGINE_H

#include "bytes.h"
#include "tavik_alg.h"

namespace tavik::aes {

inline constexpr std::size_t kBlockSize = TAVIK_AES_BLOCK_SIZE;
inline constexpr std::size_t kKeySize = TAVIK_AES_KEY_SIZE;
inline constexpr std::size_t kScheduleSize = TAVIK_AES_SCHEDULE_SIZE;

using State = Block<kBlockSize>;
using Schedule = std::span<const std::uint8_t, kScheduleSize>;

// A block's bytes as a state of the engine's own.
inline State state_of(std::span<const std::uint8_t, kBlockSize> bytes) {
    State state{};
    std::copy(bytes.begin(), bytes.end(), state.begin());
    return state;
}

void expand_key(std::span<const std::uint8_t, kKeySize> key,
                std::span<std::uint8_t, kScheduleSize> schedule);
// The ten rounds of FIPS 197 Cipher and of its direct InvCipher.
State encrypt_block(State state, Schedule schedule);
State decrypt_block(State state, Schedule schedule);

} // namespace tavik::aes

#endif
