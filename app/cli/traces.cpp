// Every step of an ECB, CBC or CMAC run, made block by block with the block
// exports through the core, and checked against the whole-message export.
#include "tavik.h"

#include "cmac_steps.h"

#include <algorithm>

namespace orvelin::cli {
namespace {

constexpr std::uint8_t kPaddingStart = 0x80;

// One block through the cipher's ECB export: the block exports alone.
struct BlockCipher {
    const TavikAlgBinding& library;
    Cipher cipher;
    const Bytes& key;

    std::size_t size() const { return CipherModel{cipher}.block_size(); }
    Bytes Run(Direction direction, Bytes block) const {
        const CipherModel model{cipher};
        // A refused block gives no bytes, so the check against the whole
        // message fails.
        if (RunRoute(library, model, Chaining::ecb, direction, KeyAsRead(model, key), {}, block)) {
            return {};
        }
        return block;
    }
};

// a[i] ^ b[i] over the shorter of the two.
Bytes Xor(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    Bytes out(std::min(a.size(), b.size()));
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<std::uint8_t>(a[i] ^ b[i]);
    }
    return out;
}

// Block `index` of `data`, whole or what is left of it.
Bytes BlockAt(std::span<const std::uint8_t> data, std::size_t index, std::size_t size) {
    const auto block = data.subspan(index * size, std::min(size, data.size() - index * size));
    return {block.begin(), block.end()};
}

// "block 3 input": the label of a step of the n-th block, counted from 1.
std::string BlockLabel(std::size_t index, std::string_view step) {
    return "block " + std::to_string(index + 1) + " " + std::string(step);
}

void Check(card::CardResult& trace, const Bytes& traced, const Bytes& returned,
           std::optional<Export> by) {
    if (traced != returned) {
        trace.check_failure = "check failed: the steps give " + WriteHex(traced) + " but " +
                              std::string(ExportName(by)) + " returns " + WriteHex(returned);
    }
}

// A complete last block is masked with K1; a short or empty one is padded
// with 0x80 and zeros, then masked with K2.
Bytes LastBlock(const Bytes& tail, std::size_t size, const Bytes& k1, const Bytes& k2,
                card::CardResult& trace) {
    trace.Step("last block", tail);
    if (tail.size() == size) {
        Bytes masked = Xor(tail, k1);
        trace.Step("last masked K1", masked);
        return masked;
    }
    Bytes padded(size);
    std::copy(tail.begin(), tail.end(), padded.begin());
    padded[tail.size()] = kPaddingStart;
    trace.Step("last padded", padded);
    Bytes masked = Xor(padded, k2);
    trace.Step("last masked K2", masked);
    return masked;
}

} // namespace

// Per block: its input, then for CBC the chaining value and the value the
// block cipher takes (encryption) or gives (decryption), then its output.
card::CardResult TraceCipher(const TavikAlgBinding& library, const CipherChoice& choice,
                             Direction direction, const CheckedFields& input, const Bytes& result) {
    const BlockCipher cipher{.library = library, .cipher = choice.cipher, .key = input.key};
    const bool cbc = choice.chaining == Chaining::cbc;
    card::CardResult trace;
    Bytes chaining = input.iv;
    Bytes traced;
    for (std::size_t index = 0; index * cipher.size() < input.data.size(); ++index) {
        const Bytes block = BlockAt(input.data, index, cipher.size());
        trace.Step(BlockLabel(index, "input"), block);
        Bytes output;
        if (!cbc) {
            output = cipher.Run(direction, block);
        } else if (direction == Direction::encrypt) {
            trace.Step(BlockLabel(index, "chaining"), chaining);
            const Bytes mixed = Xor(block, chaining);
            trace.Step(BlockLabel(index, "XOR"), mixed);
            output = chaining = cipher.Run(direction, mixed);
        } else {
            const Bytes decrypted = cipher.Run(direction, block);
            trace.Step(BlockLabel(index, "decrypted"), decrypted);
            trace.Step(BlockLabel(index, "chaining"), chaining);
            output = Xor(decrypted, chaining);
            chaining = block;
        }
        trace.Step(BlockLabel(index, "output"), output);
        traced.insert(traced.end(), output.begin(), output.end());
    }
    Check(trace, traced, result, choice.RouteExport(direction));
    return trace;
}

// The subkeys, each chaining value, the last block before and after padding
// and masking, and the MAC; chained from the IV as the CMAC exports chain it.
card::CardResult TraceCmac(const TavikAlgBinding& library, Cipher cipher_choice,
                           const CheckedFields& input, const Bytes& result) {
    const BlockCipher cipher{.library = library, .cipher = cipher_choice, .key = input.key};
    const std::size_t size = cipher.size();
    card::CardResult trace;
    const Bytes l = cipher.Run(Direction::encrypt, Bytes(size));
    const Bytes k1 = card::DoubleBlock(l);
    const Bytes k2 = card::DoubleBlock(k1);
    trace.Step("L", l);
    trace.Step("K1", k1);
    trace.Step("K2", k2);
    Bytes chaining = input.iv;
    trace.Step("IV", chaining);
    // Every block but the last is chained as it is.
    const std::size_t chained = input.data.empty() ? 0 : (input.data.size() - 1) / size;
    for (std::size_t index = 0; index < chained; ++index) {
        const Bytes block = BlockAt(input.data, index, size);
        trace.Step(BlockLabel(index, "input"), block);
        trace.Step(BlockLabel(index, "chaining"), chaining);
        chaining = Xor(block, chaining);
        trace.Step(BlockLabel(index, "XOR"), chaining);
        chaining = cipher.Run(Direction::encrypt, chaining);
        trace.Step(BlockLabel(index, "output"), chaining);
    }
    const Bytes masked = LastBlock(BlockAt(input.data, chained, size), size, k1, k2, trace);
    trace.Step("last chaining", chaining);
    const Bytes last = Xor(masked, chaining);
    trace.Step("last XOR", last);
    const Bytes mac = cipher.Run(Direction::encrypt, last);
    trace.Step("MAC", mac);
    Check(trace, mac, result, CipherModel{cipher_choice}.CmacExport());
    return trace;
}

} // namespace orvelin::cli
