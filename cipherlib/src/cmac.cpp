// CMAC (NIST SP 800-38B) over AES-128 and triple DES, with two departures
// the callers rely on: the chain starts from a caller-supplied IV, and the
// MAC is the full cipher block.
#include "aes_engine.h"
#include "tavik_alg.h"

#include <limits>

namespace {

using tavik::Block;

constexpr std::size_t kDesBlockSize = TAVIK_DES_BLOCK_SIZE;

// SP 800-38B 5.3: R128 and R64, the constants of subkey doubling.
constexpr Block<tavik::aes::kBlockSize> kR128 = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x87};
constexpr Block<kDesBlockSize> kR64 = {0, 0, 0, 0, 0, 0, 0, 0x1b};

// The triple-DES forms work on a copy of the message, of at most this size.
constexpr std::size_t kTdesMessageLimit = TAVIK_TDES_CMAC_MAX_LENGTH;

// AES_CMAC takes every length its int16_t parameter can hold that is not
// negative, so negative is its only refusal.
static_assert(std::numeric_limits<std::int16_t>::max() == TAVIK_AES_CMAC_MAX_LENGTH);

// Shift left by one bit as a big-endian number; XOR Rb when the top bit fell out.
template <std::size_t B>
Block<B> double_block(const Block<B>& in, const Block<B>& rb) {
    Block<B> out{};
    for (std::size_t i = 0; i < B; ++i) {
        const unsigned byte = in[i];
        const unsigned next = i + 1 < B ? in[i + 1] : 0U;
        out[i] = static_cast<std::uint8_t>((byte << 1U) | (next >> 7U));
    }
    if ((in[0] & 0x80U) != 0) {
        tavik::xor_into<B>(out, rb);
    }
    return out;
}

template <std::size_t B>
struct Subkeys {
    Block<B> k1;
    Block<B> k2;
};

// SP 800-38B 6.1: L = E(0^b), K1 = double(L), K2 = double(K1).
template <std::size_t B, typename Encrypt>
Subkeys<B> derive_subkeys(const Block<B>& rb, Encrypt encrypt) {
    const Block<B> k1 = double_block<B>(encrypt(Block<B>{}), rb);
    return {.k1 = k1, .k2 = double_block<B>(k1, rb)};
}

// M_last from the bytes of the last block: complete, XOR K1; short or empty,
// padded with 0x80 and zeros, XOR K2.
template <std::size_t B>
Block<B> last_block(std::span<const std::uint8_t> tail, const Subkeys<B>& subkeys) {
    Block<B> last{};
    std::copy(tail.begin(), tail.end(), last.begin());
    if (tail.size() == B) {
        tavik::xor_into<B>(last, subkeys.k1);
    } else {
        last[tail.size()] = 0x80;
        tavik::xor_into<B>(last, subkeys.k2);
    }
    return last;
}

// SP 800-38B 6.2 with the chain starting from `iv`. `mac` is written only at
// the end, so it may alias the message.
template <std::size_t B, typename Encrypt>
void cmac(std::span<const std::uint8_t> message, const Block<B>& rb,
          std::span<const std::uint8_t, B> iv, std::span<std::uint8_t, B> mac, Encrypt encrypt) {
    const Subkeys<B> subkeys = derive_subkeys<B>(rb, encrypt);
    // n blocks, the empty message counting as one; every block before the last is whole.
    const std::size_t n = message.empty() ? 1 : (message.size() + B - 1) / B;
    const std::size_t chained = n - 1;
    Block<B> x{};
    std::copy(iv.begin(), iv.end(), x.begin());
    for (std::size_t i = 0; i < chained; ++i) {
        tavik::xor_into<B>(x, message.subspan(i * B).first<B>());
        x = encrypt(x);
    }
    tavik::xor_into<B>(x, last_block<B>(message.subspan(chained * B), subkeys));
    const Block<B> tag = encrypt(x);
    std::copy(tag.begin(), tag.end(), mac.begin());
}

template <typename TripleDesBlock>
std::int32_t tdes_cmac(const std::uint8_t* data, std::int16_t length, std::uint8_t* mac,
                       const std::uint8_t* iv, TripleDesBlock encrypt_in_place) {
    if (length < 0 || length > TAVIK_TDES_CMAC_MAX_LENGTH) {
        return TAVIK_CMAC_LENGTH_OUT_OF_RANGE;
    }
    Block<kTdesMessageLimit> copy{};
    const std::span<const std::uint8_t> message(data, static_cast<std::size_t>(length));
    std::copy(message.begin(), message.end(), copy.begin());
    const auto encrypt = [encrypt_in_place](Block<kDesBlockSize> block) {
        encrypt_in_place(block.data());
        return block;
    };
    cmac<kDesBlockSize>(std::span(copy).first(message.size()), kR64,
                        tavik::bytes<kDesBlockSize>(iv), tavik::bytes<kDesBlockSize>(mac), encrypt);
    return TAVIK_DONE;
}

} // namespace

extern "C" {

std::int32_t AES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                      std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    using namespace tavik::aes;
    if (length < 0) {
        return TAVIK_CMAC_LENGTH_OUT_OF_RANGE;
    }
    Block<kScheduleSize> schedule{};
    expand_key(tavik::bytes<kKeySize>(key), schedule);
    const auto encrypt = [&schedule](const State& block) { return encrypt_block(block, schedule); };
    cmac<kBlockSize>(std::span(data, static_cast<std::size_t>(length)), kR128,
                     tavik::bytes<kBlockSize>(iv), tavik::bytes<kBlockSize>(mac), encrypt);
    return TAVIK_DONE;
}

std::int32_t TDES_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                       std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return tdes_cmac(data, length, mac, iv, [key](std::uint8_t* block) {
        EnOrDecrypt_3DES(TAVIK_MODE_ENCRYPT, key, kDesBlockSize, block);
    });
}

std::int32_t TDES_3KEY_CMAC(const std::uint8_t* key, const std::uint8_t* data, std::int16_t length,
                            std::uint8_t* mac, const std::uint8_t* iv) noexcept {
    return tdes_cmac(data, length, mac, iv, [key](std::uint8_t* block) {
        EnOrDecrypt_3DES_3KEY(TAVIK_MODE_ENCRYPT, key, kDesBlockSize, block);
    });
}

} // extern "C"
