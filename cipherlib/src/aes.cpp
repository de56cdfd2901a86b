// AES-128 (FIPS 197), byte by byte through 256-entry tables: the encryption
// rounds fuse SubBytes, ShiftRows and MixColumns; decryption is the direct
// inverse cipher on the encryption schedule.
#include "aes_engine.h"
#include "aes_tables.h"
#include "tavik_alg.h"

namespace tavik::aes {
namespace {

constexpr std::size_t kRounds = 10;
constexpr std::size_t kWordSize = 4;
constexpr std::size_t kKeyWords = kKeySize / kWordSize;
constexpr std::size_t kScheduleWords = kScheduleSize / kWordSize;
static_assert(kScheduleSize == kBlockSize * (kRounds + 1), "one round key per round, plus one");

// State byte k is row k % 4 of column k / 4.
constexpr std::size_t at(std::size_t column, std::size_t row) {
    return 4 * column + row;
}

// ShiftRows rotates row r left by r columns, so row r of column c receives the
// byte of column (c + r) mod 4; InvShiftRows carries it back.
constexpr std::size_t before_shift_rows(std::size_t column, std::size_t row) {
    return at((column + row) % 4, row);
}

void add_round_key(State& state, Schedule schedule, std::size_t round) {
    xor_into<kBlockSize>(state, schedule.subspan(kBlockSize * round).first<kBlockSize>());
}

// SubBytes, ShiftRows and MixColumns in one lookup per byte.
State mix_round(const State& s) {
    const auto& sb = Tables::sbox;
    const auto& s2 = Tables::sbox_times2;
    const auto& s3 = Tables::sbox_times3;
    State out{};
    for (std::size_t c = 0; c < 4; ++c) {
        const std::uint8_t a0 = s[before_shift_rows(c, 0)], a1 = s[before_shift_rows(c, 1)],
                           a2 = s[before_shift_rows(c, 2)], a3 = s[before_shift_rows(c, 3)];
        out[at(c, 0)] = static_cast<std::uint8_t>(s2[a0] ^ s3[a1] ^ sb[a2] ^ sb[a3]);
        out[at(c, 1)] = static_cast<std::uint8_t>(sb[a0] ^ s2[a1] ^ s3[a2] ^ sb[a3]);
        out[at(c, 2)] = static_cast<std::uint8_t>(sb[a0] ^ sb[a1] ^ s2[a2] ^ s3[a3]);
        out[at(c, 3)] = static_cast<std::uint8_t>(s3[a0] ^ sb[a1] ^ sb[a2] ^ s2[a3]);
    }
    return out;
}

// The last round has no MixColumns.
State sub_shift(const State& s) {
    State out{};
    for (std::size_t c = 0; c < 4; ++c) {
        for (std::size_t row = 0; row < 4; ++row) {
            out[at(c, row)] = Tables::sbox[s[before_shift_rows(c, row)]];
        }
    }
    return out;
}

// InvShiftRows (row r moves right by r columns) and InvSubBytes.
State inv_shift_sub(const State& s) {
    State out{};
    for (std::size_t c = 0; c < 4; ++c) {
        for (std::size_t row = 0; row < 4; ++row) {
            out[before_shift_rows(c, row)] = Tables::inv_sbox[s[at(c, row)]];
        }
    }
    return out;
}

// InvMixColumns into a scratch state, each result stored where InvShiftRows
// puts it, then InvSubBytes of the scratch.
State inv_mix_round(const State& s) {
    const auto& m9 = Tables::times9;
    const auto& m11 = Tables::times11;
    const auto& m13 = Tables::times13;
    const auto& m14 = Tables::times14;
    State scratch{};
    for (std::size_t c = 0; c < 4; ++c) {
        const std::uint8_t a0 = s[at(c, 0)], a1 = s[at(c, 1)], a2 = s[at(c, 2)], a3 = s[at(c, 3)];
        scratch[before_shift_rows(c, 0)] =
            static_cast<std::uint8_t>(m14[a0] ^ m11[a1] ^ m13[a2] ^ m9[a3]);
        scratch[before_shift_rows(c, 1)] =
            static_cast<std::uint8_t>(m9[a0] ^ m14[a1] ^ m11[a2] ^ m13[a3]);
        scratch[before_shift_rows(c, 2)] =
            static_cast<std::uint8_t>(m13[a0] ^ m9[a1] ^ m14[a2] ^ m11[a3]);
        scratch[before_shift_rows(c, 3)] =
            static_cast<std::uint8_t>(m11[a0] ^ m13[a1] ^ m9[a2] ^ m14[a3]);
    }
    State out{};
    std::transform(scratch.begin(), scratch.end(), out.begin(),
                   [](std::uint8_t b) { return Tables::inv_sbox[b]; });
    return out;
}

} // namespace

void expand_key(std::span<const std::uint8_t, kKeySize> key,
                std::span<std::uint8_t, kScheduleSize> schedule) {
    std::copy(key.begin(), key.end(), schedule.begin());
    for (std::size_t i = kKeyWords; i < kScheduleWords; ++i) {
        const auto previous = schedule.subspan(kWordSize * (i - 1)).first<kWordSize>();
        std::array<std::uint8_t, kWordSize> t{previous[0], previous[1], previous[2], previous[3]};
        if (i % kKeyWords == 0) {
            const auto& s = Tables::sbox;
            t = {static_cast<std::uint8_t>(s[t[1]] ^ Tables::round_constants[i / kKeyWords]),
                 s[t[2]], s[t[3]], s[t[0]]};
        }
        const auto back = schedule.subspan(kWordSize * (i - kKeyWords)).first<kWordSize>();
        const auto word = schedule.subspan(kWordSize * i).first<kWordSize>();
        for (std::size_t j = 0; j < kWordSize; ++j) {
            word[j] = static_cast<std::uint8_t>(back[j] ^ t[j]);
        }
    }
}

State encrypt_block(State state, Schedule schedule) {
    add_round_key(state, schedule, 0);
    for (std::size_t round = 1; round < kRounds; ++round) {
        state = mix_round(state);
        add_round_key(state, schedule, round);
    }
    state = sub_shift(state);
    add_round_key(state, schedule, kRounds);
    return state;
}

State decrypt_block(State state, Schedule schedule) {
    add_round_key(state, schedule, kRounds);
    state = inv_shift_sub(state);
    for (std::size_t round = kRounds - 1; round >= 1; --round) {
        add_round_key(state, schedule, round);
        state = inv_mix_round(state);
    }
    add_round_key(state, schedule, 0);
    return state;
}

} // namespace tavik::aes

namespace {

using tavik::aes::kBlockSize;

// Reads the whole input before writing, so `output` may be `input`.
template <typename Cipher>
void one_block(const std::uint8_t* input, const std::uint8_t* round_keys, std::uint8_t* output,
               Cipher cipher) {
    const tavik::aes::State state = cipher(tavik::aes::state_of(tavik::bytes<kBlockSize>(input)),
                                           tavik::bytes<tavik::aes::kScheduleSize>(round_keys));
    const auto out = tavik::bytes<kBlockSize>(output);
    std::copy(state.begin(), state.end(), out.begin());
}

} // namespace

extern "C" {

std::int32_t AES_ExpandKey(const std::uint8_t* key, std::uint8_t* roundKeys) noexcept {
    tavik::aes::expand_key(tavik::bytes<tavik::aes::kKeySize>(key),
                           tavik::bytes<tavik::aes::kScheduleSize>(roundKeys));
    return TAVIK_DONE;
}

std::int32_t AES_Encrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                         std::uint8_t* output) noexcept {
    one_block(input, roundKeys, output, tavik::aes::encrypt_block);
    return TAVIK_DONE;
}

std::int32_t AES_Decrypt(const std::uint8_t* input, const std::uint8_t* roundKeys,
                         std::uint8_t* output) noexcept {
    one_block(input, roundKeys, output, tavik::aes::decrypt_block);
    return TAVIK_DONE;
}

} // extern "C"
