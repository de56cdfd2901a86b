#include "secure_channel.h"

#include "card_messages.h"
#include "step_labels.h"

#include <algorithm>
#include <bit>
#include <string>

namespace orvelin::card {

std::optional<CardRefusal> RequireLength(std::string_view what, std::span<const std::uint8_t> bytes,
                                         std::size_t size) {
    if (bytes.size() == size) {
        return std::nullopt;
    }
    return CardRefusal{std::string(what) + " must be " + std::to_string(size) +
                       (size == 1 ? " byte!" : " bytes!")};
}

std::optional<CardRefusal> FirstRefusal(std::initializer_list<std::optional<CardRefusal>> checks) {
    for (const auto& check : checks) {
        if (check) {
            return check;
        }
    }
    return std::nullopt;
}

BlockCipher CheckedCipher(const TavikAlgBinding& library, const CipherModel& model,
                          std::span<const std::uint8_t> key) {
    return std::get<BlockCipher>(BlockCipher::Make(library, model, key));
}

Bytes Joined(std::initializer_list<std::span<const std::uint8_t>> parts) {
    Bytes joined;
    for (const auto part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

Bytes AppendCbcEncrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                       std::span<const std::uint8_t> data, CardResult& result,
                       std::string_view prefix) {
    const std::size_t size = cipher.block_size();
    Bytes chaining(iv.begin(), iv.end());
    Bytes out;
    for (std::size_t index = 0; index * size < data.size(); ++index) {
        chaining = cipher.Encrypt(XorBytes(data.subspan(index * size, size), chaining));
        result.Step(StepLabel(prefix, BlockStep(index, "output")), chaining);
        out.insert(out.end(), chaining.begin(), chaining.end());
    }
    NoteCheck(result, cipher.LibraryCbcEncrypt(iv, data) == out,
              "CBC encryption through the block export", cipher.CbcExportName());
    return out;
}

Bytes AppendCbcDecrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                       std::span<const std::uint8_t> data, CardResult& result,
                       std::string_view prefix) {
    const std::size_t size = cipher.block_size();
    Bytes out;
    for (std::size_t index = 0; index * size < data.size(); ++index) {
        const auto previous = index == 0 ? iv : data.subspan((index - 1) * size, size);
        const Bytes plain = XorBytes(cipher.Decrypt(data.subspan(index * size, size)), previous);
        result.Step(StepLabel(prefix, BlockStep(index, "output")), plain);
        out.insert(out.end(), plain.begin(), plain.end());
    }
    const auto again = cipher.LibraryCbcEncrypt(iv, out);
    NoteCheck(result, again && std::equal(again->begin(), again->end(), data.begin(), data.end()),
              "CBC decryption through the block export", cipher.CbcExportName());
    return out;
}

Bytes WithOddParity(std::span<const std::uint8_t> key) {
    Bytes odd(key.begin(), key.end());
    for (auto& byte : odd) {
        const auto high = static_cast<unsigned>(byte & 0xFEU);
        byte = static_cast<std::uint8_t>(high | (std::popcount(high) % 2 == 0 ? 1U : 0U));
    }
    return odd;
}

} // namespace orvelin::card
