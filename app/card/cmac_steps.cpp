#include "cmac_steps.h"

#include "card_messages.h"
#include "chain_steps.h"
#include "messages.h"
#include "step_labels.h"

#include <algorithm>

namespace orvelin::card {
namespace {

constexpr std::uint8_t kPaddingStart = 0x80;

std::uint8_t ReductionConstant(std::size_t block_size) {
    return block_size == TAVIK_AES_BLOCK_SIZE ? 0x87 : 0x1B;
}

std::optional<CardRefusal> RefuseCmac(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                      std::size_t message_size) {
    if (cipher.cipher() == Cipher::des) {
        return CardRefusal{std::string(messages::kNoCmacForDes)};
    }
    if (iv.size() != cipher.block_size()) {
        return CardRefusal{messages::IvLength(cipher.block_size())};
    }
    if (message_size > cipher.CmacLimit()) {
        return CardRefusal{messages::DataTooLong(cipher.CmacLimit())};
    }
    return std::nullopt;
}

OrRefusal<CmacSubkeys> RecordSubkeys(const BlockCipher& cipher, CardResult& result,
                                     std::string_view prefix) {
    auto keys = DeriveCmacSubkeys(cipher);
    if (const auto* derived = std::get_if<CmacSubkeys>(&keys)) {
        result.Step(StepLabel(prefix, labels::kL), derived->l);
        result.Step(StepLabel(prefix, labels::kK1), derived->k1);
        result.Step(StepLabel(prefix, labels::kK2), derived->k2);
    }
    return keys;
}

// The masked last block XOR the chaining value, encrypted: the MAC.
OrRefusal<Bytes> FinishChain(const BlockCipher& cipher, const Bytes& chaining, const Bytes& masked,
                             CardResult& result, std::string_view prefix) {
    result.Step(StepLabel(prefix, labels::kLastChaining), chaining);
    const Bytes last = XorBytes(masked, chaining);
    result.Step(StepLabel(prefix, labels::kLastXor), last);
    auto mac = cipher.Encrypt(last);
    if (const auto* done = std::get_if<Bytes>(&mac)) {
        result.Step(StepLabel(prefix, labels::kMac), *done);
    }
    return mac;
}

// The message's last block (empty, short or whole) padded as CMAC pads it and
// masked with K1 (whole) or K2 (padded).
Bytes MaskedLastBlock(std::span<const std::uint8_t> tail, std::size_t size, const CmacSubkeys& keys,
                      CardResult& result, std::string_view prefix) {
    result.Step(StepLabel(prefix, labels::kLastBlock), Bytes(tail.begin(), tail.end()));
    if (tail.size() == size) {
        Bytes masked = XorBytes(tail, keys.k1);
        result.Step(StepLabel(prefix, labels::kLastMaskedK1), masked);
        return masked;
    }
    Bytes padded(size);
    std::copy(tail.begin(), tail.end(), padded.begin());
    padded[tail.size()] = kPaddingStart;
    result.Step(StepLabel(prefix, labels::kLastPadded), padded);
    Bytes masked = XorBytes(padded, keys.k2);
    result.Step(StepLabel(prefix, labels::kLastMaskedK2), masked);
    return masked;
}

} // namespace

Bytes DoubleBlock(std::span<const std::uint8_t> block) {
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

OrRefusal<CmacSubkeys> DeriveCmacSubkeys(const BlockCipher& cipher) {
    auto l = cipher.Encrypt(Bytes(cipher.block_size()));
    if (const auto* refusal = RefusalIn(l)) {
        return *refusal;
    }
    CmacSubkeys keys{std::get<Bytes>(std::move(l)), {}, {}};
    keys.k1 = DoubleBlock(keys.l);
    keys.k2 = DoubleBlock(keys.k1);
    return keys;
}

OrRefusal<Bytes> AppendCmac(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                            std::span<const std::uint8_t> message, CardResult& result,
                            std::string_view prefix) {
    if (auto refusal = RefuseCmac(cipher, iv, message.size())) {
        return *refusal;
    }
    const std::size_t size = cipher.block_size();
    const auto keys = RecordSubkeys(cipher, result, prefix);
    if (const auto* refusal = RefusalIn(keys)) {
        return *refusal;
    }
    // Every block but the last is chained as it is; an empty message has
    // only its padded last block.
    const std::size_t chained = message.empty() ? 0 : (message.size() - 1) / size * size;
    const auto chaining = AppendCbcChain(cipher, iv, message.first(chained), result, prefix);
    if (const auto* refusal = RefusalIn(chaining)) {
        return *refusal;
    }
    const Bytes masked = MaskedLastBlock(message.subspan(chained), size,
                                         std::get<CmacSubkeys>(keys), result, prefix);
    auto mac = FinishChain(cipher, std::get<Bytes>(chaining), masked, result, prefix);
    if (const auto* refusal = RefusalIn(mac)) {
        return *refusal;
    }
    const auto library = cipher.LibraryCmac(iv, message);
    if (const auto* refusal = RefusalIn(library)) {
        return *refusal;
    }
    NoteCheck(result, std::get<Bytes>(library) == std::get<Bytes>(mac),
              "The CMAC's steps through the block exports", cipher.CmacExportName());
    return mac;
}

OrRefusal<Bytes> AppendCmacOfBlocks(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                    std::span<const std::uint8_t> blocks, LastBlockSubkey subkey,
                                    CardResult& result, std::string_view prefix) {
    if (auto refusal = RefuseCmac(cipher, iv, blocks.size())) {
        return *refusal;
    }
    const std::size_t size = cipher.block_size();
    if (blocks.empty() || blocks.size() % size != 0) {
        return CardRefusal{size == TAVIK_AES_BLOCK_SIZE
                               ? std::string(orvelin::messages::kDataMultipleOf16)
                               : std::string(orvelin::messages::kDataMultipleOf8)};
    }
    const auto keys = RecordSubkeys(cipher, result, prefix);
    if (const auto* refusal = RefusalIn(keys)) {
        return *refusal;
    }
    const std::size_t chained = blocks.size() - size;
    const auto chaining = AppendCbcChain(cipher, iv, blocks.first(chained), result, prefix);
    if (const auto* refusal = RefusalIn(chaining)) {
        return *refusal;
    }
    const auto last = blocks.subspan(chained);
    result.Step(StepLabel(prefix, labels::kLastBlock), Bytes(last.begin(), last.end()));
    const bool k1 = subkey == LastBlockSubkey::k1;
    const CmacSubkeys& subkeys = std::get<CmacSubkeys>(keys);
    const Bytes masked = XorBytes(last, k1 ? subkeys.k1 : subkeys.k2);
    result.Step(StepLabel(prefix, k1 ? labels::kLastMaskedK1 : labels::kLastMaskedK2), masked);
    return FinishChain(cipher, std::get<Bytes>(chaining), masked, result, prefix);
}

} // namespace orvelin::card
