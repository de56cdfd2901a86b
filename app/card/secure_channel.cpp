#include "secure_channel.h"

#include "card_messages.h"
#include "step_labels.h"

#include <algorithm>
#include <bit>
#include <string>

namespace orvelin::card {
namespace {

constexpr std::string_view kEncryptSteps = "CBC encryption through the block export";
constexpr std::string_view kDecryptSteps = "CBC decryption through the block export";

} // namespace

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

Bytes Joined(std::initializer_list<std::span<const std::uint8_t>> parts) {
    Bytes joined;
    for (const auto part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

OrRefusal<Bytes> AppendCbcEncrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix) {
    const std::size_t size = cipher.block_size();
    if (auto refusal = RequireWholeBlocks(kEncryptSteps, size, iv, data)) {
        return *refusal;
    }
    Bytes chaining(iv.begin(), iv.end());
    Bytes out;
    for (std::size_t index = 0; index * size < data.size(); ++index) {
        auto output = cipher.Encrypt(XorBytes(data.subspan(index * size, size), chaining));
        if (const auto* refusal = RefusalIn(output)) {
            return *refusal;
        }
        chaining = std::get<Bytes>(std::move(output));
        result.Step(StepLabel(prefix, BlockStep(index, "output")), chaining);
        out.insert(out.end(), chaining.begin(), chaining.end());
    }
    const auto library = cipher.LibraryCbcEncrypt(iv, data);
    if (const auto* refusal = RefusalIn(library)) {
        return *refusal;
    }
    NoteCheck(result, std::get<Bytes>(library) == out, kEncryptSteps, cipher.CbcExportName());
    return out;
}

OrRefusal<Bytes> AppendCbcDecrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix) {
    const std::size_t size = cipher.block_size();
    if (auto refusal = RequireWholeBlocks(kDecryptSteps, size, iv, data)) {
        return *refusal;
    }
    Bytes out;
    for (std::size_t index = 0; index * size < data.size(); ++index) {
        const auto previous = index == 0 ? iv : data.subspan((index - 1) * size, size);
        auto decrypted = cipher.Decrypt(data.subspan(index * size, size));
        if (const auto* refusal = RefusalIn(decrypted)) {
            return *refusal;
        }
        const Bytes plain = XorBytes(std::get<Bytes>(decrypted), previous);
        result.Step(StepLabel(prefix, BlockStep(index, "output")), plain);
        out.insert(out.end(), plain.begin(), plain.end());
    }
    const auto again = cipher.LibraryCbcEncrypt(iv, out);
    if (const auto* refusal = RefusalIn(again)) {
        return *refusal;
    }
    const Bytes& encrypted = std::get<Bytes>(again);
    NoteCheck(result, std::equal(encrypted.begin(), encrypted.end(), data.begin(), data.end()),
              kDecryptSteps, cipher.CbcExportName());
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
