// DES (FIPS 46-3) on bit cells, and triple DES in EDE form over it.
//
// The engine follows the standard step by step, one byte per bit, and derives
// each round's subkey afresh from the raw key: clarity over speed, and nothing
// about a key outlives the round that used it.
#include "bytes.h"
#include "des_tables.h"
#include "tavik_alg.h"

#include <numeric>

namespace {

using tavik::Block;
using tavik::des::Tables;

constexpr std::size_t kBlockSize = TAVIK_DES_BLOCK_SIZE;
constexpr std::size_t kKeySize = TAVIK_DES_KEY_SIZE;
static_assert(kKeySize == kBlockSize, "a key is as wide as a block, parity bits included");
constexpr std::size_t kRounds = Tables::shifts.size();

using Key = std::span<const std::uint8_t, kKeySize>;
using BlockView = std::span<std::uint8_t, kBlockSize>;

template <std::size_t N>
using Cells = std::array<std::uint8_t, N>;

enum class Direction { encrypt, decrypt };

constexpr Direction direction_of(std::uint8_t mode) {
    return mode == TAVIK_MODE_ENCRYPT ? Direction::encrypt : Direction::decrypt;
}

// Most significant bit first: cell 0 is the top bit of byte 0.
Cells<64> expand(std::span<const std::uint8_t, kBlockSize> bytes) {
    Cells<64> cells{};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const unsigned byte = bytes[i / 8];
        cells[i] = static_cast<std::uint8_t>((byte >> (7 - i % 8)) & 1U);
    }
    return cells;
}

void pack(const Cells<64>& cells, BlockView bytes) {
    for (std::size_t byte = 0; byte < bytes.size(); ++byte) {
        std::uint8_t value = 0;
        for (std::size_t bit = 0; bit < 8; ++bit) {
            value = static_cast<std::uint8_t>((value << 1) | cells[8 * byte + bit]);
        }
        bytes[byte] = value;
    }
}

// out[i] = source[table[i] - 1]: the standard's tables are 1-based.
template <std::size_t Out, std::size_t In>
Cells<Out> permute(std::span<const std::uint8_t, In> source,
                   const std::array<std::uint8_t, Out>& table) {
    Cells<Out> out{};
    for (std::size_t i = 0; i < Out; ++i) {
        out[i] = source[table[i] - 1U];
    }
    return out;
}

// Round r uses K(r + 1) when encrypting and K(16 - r) when decrypting.
Cells<48> round_subkey(Key key, std::size_t round, Direction direction) {
    const Cells<64> key_cells = expand(key);
    Cells<56> cd = permute<56, 64>(key_cells, Tables::permuted_choice_1);
    const std::span<std::uint8_t, 28> c(cd.data(), 28);
    const std::span<std::uint8_t, 28> d(cd.data() + 28, 28);
    // The rotations of every step up to this round's, applied in one move.
    const std::size_t last_step = direction == Direction::encrypt ? round : kRounds - 1 - round;
    const auto steps = std::span(Tables::shifts).first(last_step + 1);
    const auto shift =
        std::accumulate(steps.begin(), steps.end(), std::ptrdiff_t{0}) % std::ssize(c);
    std::rotate(c.begin(), c.begin() + shift, c.end());
    std::rotate(d.begin(), d.begin() + shift, d.end());
    return permute<48, 56>(cd, Tables::permuted_choice_2);
}

// The eight S-box outputs, four cells each, most significant first.
Cells<32> substitute(const Cells<48>& mixed) {
    Cells<32> f{};
    for (std::size_t box = 0; box < 8; ++box) {
        const auto x = std::span(mixed).subspan(6 * box, 6);
        const unsigned row = 2U * x[0] + x[5];
        const unsigned column = 8U * x[1] + 4U * x[2] + 2U * x[3] + x[4];
        const unsigned value = Tables::sboxes[box][16 * row + column];
        for (std::size_t bit = 0; bit < 4; ++bit) {
            f[4 * box + bit] = static_cast<std::uint8_t>((value >> (3 - bit)) & 1U);
        }
    }
    return f;
}

// One Feistel round on L|R; every round swaps the halves, the last one too.
void feistel_round(Cells<64>& lr, Cells<48> subkey) {
    for (std::size_t k = 0; k < subkey.size(); ++k) {
        subkey[k] ^= lr[32 + Tables::expansion[k] - 1U];
    }
    const Cells<32> f = substitute(subkey);
    for (std::size_t k = 0; k < 32; ++k) {
        const std::uint8_t old_left = lr[k];
        lr[k] = lr[32 + k];
        lr[32 + k] = static_cast<std::uint8_t>(old_left ^ f[Tables::permutation[k] - 1U]);
    }
}

void des_block(Direction direction, Key key, BlockView block) {
    const Cells<64> input = expand(block);
    Cells<64> lr = permute<64, 64>(input, Tables::initial_permutation);
    for (std::size_t round = 0; round < kRounds; ++round) {
        feistel_round(lr, round_subkey(key, round, direction));
    }
    pack(permute<64, 64>(lr, Tables::final_permutation), block);
}

// EDE: E(K1) D(K2) E(K3) to encrypt, D(K3) E(K2) D(K1) to decrypt.
struct TripleKey {
    Key k1, k2, k3;
};

void triple_des_block(Direction direction, const TripleKey& key, BlockView block) {
    if (direction == Direction::encrypt) {
        des_block(Direction::encrypt, key.k1, block);
        des_block(Direction::decrypt, key.k2, block);
        des_block(Direction::encrypt, key.k3, block);
    } else {
        des_block(Direction::decrypt, key.k3, block);
        des_block(Direction::encrypt, key.k2, block);
        des_block(Direction::decrypt, key.k1, block);
    }
}

std::int32_t triple_des_ecb(std::uint8_t mode, const TripleKey& key, std::uint32_t length,
                            std::uint8_t* data) {
    if (length % kBlockSize != 0) {
        return TAVIK_LENGTH_NOT_MULTIPLE_OF_8;
    }
    const std::span<std::uint8_t> message(data, length);
    for (std::size_t offset = 0; offset < message.size(); offset += kBlockSize) {
        triple_des_block(direction_of(mode), key, message.subspan(offset).first<kBlockSize>());
    }
    return TAVIK_DONE;
}

} // namespace

extern "C" {

std::int32_t EnOrDecrypt_DES(std::uint8_t mode, const std::uint8_t* key,
                             std::uint8_t* data) noexcept {
    des_block(direction_of(mode), tavik::bytes<kKeySize>(key), tavik::bytes<kBlockSize>(data));
    return TAVIK_DONE;
}

std::int32_t EnOrDecrypt_3DES(std::uint8_t mode, const std::uint8_t* key, std::uint32_t length,
                              std::uint8_t* data) noexcept {
    const auto k = tavik::bytes<TAVIK_2TDES_KEY_SIZE>(key);
    const TripleKey keys{k.first<kKeySize>(), k.last<kKeySize>(), k.first<kKeySize>()};
    return triple_des_ecb(mode, keys, length, data);
}

std::int32_t EnOrDecrypt_3DES_3KEY(std::uint8_t mode, const std::uint8_t* key, std::uint32_t length,
                                   std::uint8_t* data) noexcept {
    const auto k = tavik::bytes<TAVIK_3TDES_KEY_SIZE>(key);
    const TripleKey keys{k.first<kKeySize>(), k.subspan<kKeySize, kKeySize>(), k.last<kKeySize>()};
    return triple_des_ecb(mode, keys, length, data);
}

} // extern "C"
