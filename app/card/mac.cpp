#include "mac.h"

#include "card_messages.h"
#include "chain_steps.h"
#include "step_labels.h"

namespace orvelin::card {
namespace {

constexpr std::size_t kMinimumMacLength = 4;
constexpr std::size_t kRetailKeySize = TAVIK_2TDES_KEY_SIZE;

// Everything a MAC run needs, every input checked.
struct CheckedMac {
    BlockCipher chain;                        // algorithm 1's cipher, or DES under K
    std::optional<BlockCipher> k_prime;       // algorithm 3: DES under K'
    std::optional<BlockCipher> k_and_k_prime; // algorithm 3: 2TDES under K || K'
    Bytes iv;
    Bytes padded;
    std::size_t length;
};

template <typename Value>
std::optional<CardRefusal> RefusalOf(const std::variant<CardRefusal, Value>& outcome) {
    if (const auto* refusal = std::get_if<CardRefusal>(&outcome)) {
        return *refusal;
    }
    return std::nullopt;
}

std::variant<CardRefusal, BlockCipher> ChainCipher(const TavikAlgBinding& library,
                                                   const MacRequest& request) {
    if (request.algorithm == MacAlgorithm::cbc_mac) {
        return BlockCipher::Make(library, request.cipher.value_or(kCardDes), request.key);
    }
    if (request.cipher) {
        return CardRefusal{std::string(messages::kRetailTakesNoCipher)};
    }
    if (request.key.size() != kRetailKeySize) {
        return CardRefusal{messages::KeyLength(kRetailKeySize)};
    }
    return BlockCipher::Make(library, kCardDes, request.key.first(TAVIK_DES_KEY_SIZE));
}

std::variant<CardRefusal, CheckedMac> Check(const TavikAlgBinding& library,
                                            const MacRequest& request) {
    if (request.algorithm != MacAlgorithm::cbc_mac && request.algorithm != MacAlgorithm::retail) {
        return CardRefusal{std::string(messages::kUnknownMacAlgorithm)};
    }
    auto chain = ChainCipher(library, request);
    if (auto refusal = RefusalOf(chain)) {
        return *refusal;
    }
    const BlockCipher& cipher = std::get<BlockCipher>(chain);
    const std::size_t size = cipher.block_size();
    if (!request.iv.empty() && request.iv.size() != size) {
        return CardRefusal{messages::IvLength(size)};
    }
    const std::size_t length = request.length.value_or(size);
    if (length < kMinimumMacLength || length > size) {
        return CardRefusal{messages::LengthOutOfRange("MAC length", kMinimumMacLength, size)};
    }
    auto padded = PadData(request.data, request.padding, size);
    if (auto refusal = RefusalOf(padded)) {
        return *refusal;
    }
    CheckedMac checked{cipher,
                       std::nullopt,
                       std::nullopt,
                       request.iv.empty() ? Bytes(size)
                                          : Bytes(request.iv.begin(), request.iv.end()),
                       std::move(std::get<Bytes>(padded)),
                       length};
    if (request.algorithm == MacAlgorithm::retail) {
        checked.k_prime = std::get<BlockCipher>(
            BlockCipher::Make(library, kCardDes, request.key.last(TAVIK_DES_KEY_SIZE)));
        checked.k_and_k_prime =
            std::get<BlockCipher>(BlockCipher::Make(library, kCardTwoKeyTdes, request.key));
    }
    return checked;
}

// Algorithm 1: the last block of the chain, against the last block of the
// CBC export.
Bytes CbcMac(const CheckedMac& mac, CardResult& result, std::string_view prefix) {
    Bytes full = AppendCbcChain(mac.chain, mac.iv, mac.padded, result, prefix);
    const auto library = mac.chain.LibraryCbcEncrypt(mac.iv, mac.padded);
    const std::size_t size = mac.chain.block_size();
    NoteCheck(result,
              library && std::equal(full.begin(), full.end(),
                                    library->end() - static_cast<std::ptrdiff_t>(size)),
              "The CBC-MAC's steps through the block exports", mac.chain.CbcExportName());
    return full;
}

// Algorithm 3: the chain under K, then the last output decrypted under K'
// and encrypted under K. The other route: EnOrDecrypt_DES_CBC over every
// block, whose last block must be the chain's, and one two-key triple-DES
// block (E_K D_K' E_K) over the last input block XOR the chaining value
// before it.
// The whole-message route the retail MAC's steps are checked against: the
// single-DES CBC export's chain, then one two-key triple-DES block.
std::string RetailMacExports() {
    return std::string(ExportName(Export::EnOrDecrypt_DES_CBC)) + " with " +
           std::string(ExportName(Export::EnOrDecrypt_3DES));
}

Bytes RetailMac(const CheckedMac& mac, CardResult& result, std::string_view prefix) {
    const Bytes chained = AppendCbcChain(mac.chain, mac.iv, mac.padded, result, prefix);
    const Bytes decrypted = mac.k_prime->Decrypt(chained);
    result.Step(StepLabel(prefix, "decrypted under K'"), decrypted);
    Bytes full = mac.chain.Encrypt(decrypted);
    result.Step(StepLabel(prefix, "encrypted under K"), full);

    constexpr auto kBlock = static_cast<std::ptrdiff_t>(TAVIK_DES_BLOCK_SIZE);
    const auto library = mac.chain.LibraryCbcEncrypt(mac.iv, mac.padded);
    const bool chains_agree =
        library && std::equal(chained.begin(), chained.end(), library->end() - kBlock);
    const Bytes before_last = !library || library->size() == TAVIK_DES_BLOCK_SIZE
                                  ? mac.iv
                                  : Bytes(library->end() - 2 * kBlock, library->end() - kBlock);
    const Bytes last_input =
        XorBytes(std::span(mac.padded).last(TAVIK_DES_BLOCK_SIZE), before_last);
    NoteCheck(result, chains_agree && mac.k_and_k_prime->Encrypt(last_input) == full,
              "The retail MAC's steps through the block exports", RetailMacExports());
    return full;
}

} // namespace

std::variant<CardRefusal, Bytes> AppendMac(const TavikAlgBinding& library,
                                           const MacRequest& request, CardResult& result,
                                           std::string_view prefix) {
    auto checked = Check(library, request);
    if (auto refusal = RefusalOf(checked)) {
        return *refusal;
    }
    const CheckedMac& mac = std::get<CheckedMac>(checked);
    result.Step(StepLabel(prefix, "padded data"), mac.padded);
    Bytes full = request.algorithm == MacAlgorithm::cbc_mac ? CbcMac(mac, result, prefix)
                                                            : RetailMac(mac, result, prefix);
    if (mac.length < full.size()) {
        result.Step(StepLabel(prefix, "full MAC"), full);
        full.resize(mac.length);
    }
    return full;
}

CardOutcome Mac(const TavikAlgBinding& library, const MacRequest& request) {
    CardResult result;
    auto mac = AppendMac(library, request, result);
    if (auto* refusal = std::get_if<CardRefusal>(&mac)) {
        return *refusal;
    }
    result.Value("", std::move(std::get<Bytes>(mac)));
    return result;
}

} // namespace orvelin::card
