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

CmacSubkeys RecordSubkeys(const BlockCipher& cipher, CardResult& result, std::string_view prefix) {
    CmacSubkeys keys = DeriveCmacSubkeys(cipher);
    result.Step(StepLabel(prefix, "L"), keys.l);
    result.Step(StepLabel(prefix, "K1"), keys.k1);
    result.Step(StepLabel(prefix, "K2"), keys.k2);
    return keys;
}

Bytes FinishChain(const BlockCipher& cipher, const Bytes& chaining, const Bytes& masked,
                  CardResult& result, std::string_view prefix) {
    const Bytes last = XorBytes(masked, chaining);
    result.Step(StepLabel(prefix, "last XOR chaining"), last);
    Bytes mac = cipher.Encrypt(last);
    result.Step(StepLabel(prefix, "MAC"), mac);
    return mac;
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

CmacSubkeys DeriveCmacSubkeys(const BlockCipher& cipher) {
    CmacSubkeys keys{cipher.Encrypt(Bytes(cipher.block_size())), {}, {}};
    keys.k1 = DoubleBlock(keys.l);
    keys.k2 = DoubleBlock(keys.k1);
    return keys;
}

std::variant<CardRefusal, Bytes> AppendCmac(const BlockCipher& cipher,
                                            std::span<const std::uint8_t> iv,
                                            std::span<const std::uint8_t> message,
                                            CardResult& result, std::string_view prefix) {
    if (auto refusal = RefuseCmac(cipher, iv, message.size())) {
        return *refusal;
    }
    const std::size_t size = cipher.block_size();
    const CmacSubkeys keys = RecordSubkeys(cipher, result, prefix);
    // Every block but the last is chained as it is; an empty message has
    // only its padded last block.
    const std::size_t chained = message.empty() ? 0 : (message.size() - 1) / size * size;
    const Bytes chaining = AppendCbcChain(cipher, iv, message.first(chained), result, prefix);
    const auto tail = message.subspan(chained);
    result.Step(StepLabel(prefix, "last block"), Bytes(tail.begin(), tail.end()));
    Bytes masked;
    if (tail.size() == size) {
        masked = XorBytes(tail, keys.k1);
        result.Step(StepLabel(prefix, "last masked K1"), masked);
    } else {
        Bytes padded(size);
        std::copy(tail.begin(), tail.end(), padded.begin());
        padded[tail.size()] = kPaddingStart;
        result.Step(StepLabel(prefix, "last padded"), padded);
        masked = XorBytes(padded, keys.k2);
        result.Step(StepLabel(prefix, "last masked K2"), masked);
    }
    Bytes mac = FinishChain(cipher, chaining, masked, result, prefix);
    NoteCheck(result, cipher.LibraryCmac(iv, message) == mac,
              "The CMAC's steps through the block exports", cipher.CmacExportName());
    return mac;
}

std::variant<CardRefusal, Bytes> AppendCmacOfBlocks(const BlockCipher& cipher,
                                                    std::span<const std::uint8_t> iv,
                                                    std::span<const std::uint8_t> blocks,
                                                    LastBlockSubkey subkey, CardResult& result,
                                                    std::string_view prefix) {
    if (auto refusal = RefuseCmac(cipher, iv, blocks.size())) {
        return *refusal;
    }
    const std::size_t size = cipher.block_size();
    if (blocks.empty() || blocks.size() % size != 0) {
        return CardRefusal{size == TAVIK_AES_BLOCK_SIZE
                               ? std::string(orvelin::messages::kDataMultipleOf16)
                               : std::string(orvelin::messages::kDataMultipleOf8)};
    }
    const CmacSubkeys keys = RecordSubkeys(cipher, result, prefix);
    const std::size_t chained = blocks.size() - size;
    const Bytes chaining = AppendCbcChain(cipher, iv, blocks.first(chained), result, prefix);
    const auto last = blocks.subspan(chained);
    result.Step(StepLabel(prefix, "last block"), Bytes(last.begin(), last.end()));
    const bool k1 = subkey == LastBlockSubkey::k1;
    const Bytes masked = XorBytes(last, k1 ? keys.k1 : keys.k2);
    result.Step(StepLabel(prefix, k1 ? "last masked K1" : "last masked K2"), masked);
    return FinishChain(cipher, chaining, masked, result, prefix);
}

} // namespace orvelin::card
