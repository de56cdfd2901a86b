#include "cmac_trace.h"

#include "byte_ops.h"

namespace orvelin::cli {
namespace {

constexpr std::uint8_t kPaddingStart = 0x80;

std::uint8_t ReductionConstant(std::size_t block_size) {
    return block_size == TAVIK_AES_BLOCK_SIZE ? 0x87 : 0x1B;
}

struct Subkeys {
    Bytes k1;
    Bytes k2;
};

Subkeys TraceSubkeys(const BlockCipher& cipher, Trace& trace) {
    Bytes l(cipher.block_size());
    cipher.Encrypt(l);
    Subkeys keys{DoubleSubkey(l), {}};
    keys.k2 = DoubleSubkey(keys.k1);
    trace.Add("L", l);
    trace.Add("K1", keys.k1);
    trace.Add("K2", keys.k2);
    return keys;
}

// A complete last block is masked with K1; a short or empty one is padded
// with 0x80 and zeros, then masked with K2.
Bytes TraceLastBlock(std::span<const std::uint8_t> tail, std::size_t size, const Subkeys& keys,
                     Trace& trace) {
    trace.Add("last block", Bytes(tail.begin(), tail.end()));
    if (tail.size() == size) {
        Bytes masked = Xor(tail, keys.k1);
        trace.Add("last masked K1", masked);
        return masked;
    }
    Bytes padded(size);
    std::copy(tail.begin(), tail.end(), padded.begin());
    padded[tail.size()] = kPaddingStart;
    trace.Add("last padded", padded);
    Bytes masked = Xor(padded, keys.k2);
    trace.Add("last masked K2", masked);
    return masked;
}

} // namespace

Bytes DoubleSubkey(std::span<const std::uint8_t> block) {
    Bytes doubled(block.size());
    for (std::size_t i = 0; i < block.size(); ++i) {
        const unsigned next = i + 1 < block.size() ? block[i + 1] >> 7U : 0U;
        doubled[i] = static_cast<std::uint8_t>((static_cast<unsigned>(block[i]) << 1U) | next);
    }
    if (!block.empty() && (block[0] & 0x80U) != 0) {
        doubled.back() =
            static_cast<std::uint8_t>(doubled.back() ^ ReductionConstant(block.size()));
    }
    return doubled;
}

Trace TraceCmac(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                std::span<const std::uint8_t> message) {
    const std::size_t size = cipher.block_size();
    Trace trace;
    const Subkeys keys = TraceSubkeys(cipher, trace);
    Bytes chaining(iv.begin(), iv.end());
    trace.Add("IV", chaining);
    // Every block but the last is chained as it is.
    const std::size_t chained = message.empty() ? 0 : (message.size() - 1) / size;
    for (std::size_t index = 0; index < chained; ++index) {
        const Bytes input = Leftmost(message.subspan(index * size), size);
        trace.Add(BlockLabel(index, "input"), input);
        trace.Add(BlockLabel(index, "chaining"), chaining);
        chaining = Xor(input, chaining);
        trace.Add(BlockLabel(index, "XOR"), chaining);
        cipher.Encrypt(chaining);
        trace.Add(BlockLabel(index, "output"), chaining);
    }
    const Bytes masked = TraceLastBlock(message.subspan(chained * size), size, keys, trace);
    trace.Add("last chaining", chaining);
    Bytes last = Xor(masked, chaining);
    trace.Add("last XOR", last);
    cipher.Encrypt(last);
    trace.Add("MAC", last);
    trace.result = last;
    return trace;
}

} // namespace orvelin::cli
