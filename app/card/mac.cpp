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

OrRefusal<BlockCipher> ChainCipher(const TavikAlgBinding& library, const MacRequest& request) {
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

// Algorithm 3's other two ciphers: single DES under K', two-key triple DES
// under K || K'.
std::optional<CardRefusal> AddRetailCiphers(const TavikAlgBinding& library,
                                            std::span<const std::uint8_t> key, CheckedMac& mac) {
    auto k_prime = BlockCipher::Make(library, kCardDes, key.last(TAVIK_DES_KEY_SIZE));
    if (const auto* refusal = RefusalIn(k_prime)) {
        return *refusal;
    }
    auto k_and_k_prime = BlockCipher::Make(library, kCardTwoKeyTdes, key);
    if (const auto* refusal = RefusalIn(k_and_k_prime)) {
        return *refusal;
    }
    mac.k_prime = std::get<BlockCipher>(k_prime);
    mac.k_and_k_prime = std::get<BlockCipher>(k_and_k_prime);
    return std::nullopt;
}

OrRefusal<CheckedMac> Check(const TavikAlgBinding& library, const MacRequest& request) {
    if (request.algorithm != MacAlgorithm::cbc_mac && request.algorithm != MacAlgorithm::retail) {
        return CardRefusal{std::string(messages::kUnknownMacAlgorithm)};
    }
    auto chain = ChainCipher(library, request);
    if (const auto* refusal = RefusalIn(chain)) {
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
    if (const auto* refusal = RefusalIn(padded)) {
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
        if (auto refusal = AddRetailCiphers(library, request.key, checked)) {
            return *refusal;
        }
    }
    return checked;
}

// Algorithm 1: the last block of the chain, against the last block of the
// CBC export.
OrRefusal<Bytes> CbcMac(const CheckedMac& mac, CardResult& result, std::string_view prefix) {
    auto full = AppendCbcChain(mac.chain, mac.iv, mac.padded, result, prefix);
    if (const auto* refusal = RefusalIn(full)) {
        return *refusal;
    }
    const auto library = mac.chain.LibraryCbcEncrypt(mac.iv, mac.padded);
    if (const auto* refusal = RefusalIn(library)) {
        return *refusal;
    }
    const Bytes& chained = std::get<Bytes>(library);
    const Bytes& steps = std::get<Bytes>(full);
    NoteCheck(result, std::equal(steps.begin(), steps.end(), chained.end() - std::ssize(steps)),
              "The CBC-MAC's steps through the block exports", mac.chain.CbcExportName());
    return full;
}

// The whole-message route the retail MAC's steps are checked against: the
// single-DES CBC export's chain, then one two-key triple-DES block.
std::string RetailMacExports() {
    return std::string(ExportName(Export::EnOrDecrypt_DES_CBC)) + " with " +
           std::string(ExportName(Export::EnOrDecrypt_3DES));
}

// The last output decrypted under K' and encrypted under K again.
OrRefusal<Bytes> FinalTransformation(const CheckedMac& mac, const Bytes& chained,
                                     CardResult& result, std::string_view prefix) {
    auto decrypted = mac.k_prime->Decrypt(chained);
    if (const auto* refusal = RefusalIn(decrypted)) {
        return *refusal;
    }
    result.Step(StepLabel(prefix, "decrypted under K'"), std::get<Bytes>(decrypted));
    auto full = mac.chain.Encrypt(std::get<Bytes>(decrypted));
    if (const auto* done = std::get_if<Bytes>(&full)) {
        result.Step(StepLabel(prefix, "encrypted under K"), *done);
    }
    return full;
}

// Algorithm 3: the chain under K, then the final transformation. The other
// route: EnOrDecrypt_DES_CBC over every block, whose last block must be the
// chain's, and one two-key triple-DES block (E_K D_K' E_K) over the last input
// block XOR the chaining value before it.
OrRefusal<Bytes> RetailMac(const CheckedMac& mac, CardResult& result, std::string_view prefix) {
    auto chained = AppendCbcChain(mac.chain, mac.iv, mac.padded, result, prefix);
    if (const auto* refusal = RefusalIn(chained)) {
        return *refusal;
    }
    auto full = FinalTransformation(mac, std::get<Bytes>(chained), result, prefix);
    if (const auto* refusal = RefusalIn(full)) {
        return *refusal;
    }
    const auto library = mac.chain.LibraryCbcEncrypt(mac.iv, mac.padded);
    if (const auto* refusal = RefusalIn(library)) {
        return *refusal;
    }
    constexpr auto kBlock = static_cast<std::ptrdiff_t>(TAVIK_DES_BLOCK_SIZE);
    const Bytes& whole = std::get<Bytes>(library);
    const Bytes& chain = std::get<Bytes>(chained);
    const bool chains_agree = std::equal(chain.begin(), chain.end(), whole.end() - kBlock);
    const Bytes before_last = whole.size() == TAVIK_DES_BLOCK_SIZE
                                  ? mac.iv
                                  : Bytes(whole.end() - 2 * kBlock, whole.end() - kBlock);
    const Bytes last_input =
        XorBytes(std::span(mac.padded).last(TAVIK_DES_BLOCK_SIZE), before_last);
    const auto last = mac.k_and_k_prime->Encrypt(last_input);
    if (const auto* refusal = RefusalIn(last)) {
        return *refusal;
    }
    NoteCheck(result, chains_agree && std::get<Bytes>(last) == std::get<Bytes>(full),
              "The retail MAC's steps through the block exports", RetailMacExports());
    return full;
}

} // namespace

OrRefusal<Bytes> AppendMac(const TavikAlgBinding& library, const MacRequest& request,
                           CardResult& result, std::string_view prefix) {
    const auto checked = Check(library, request);
    if (const auto* refusal = RefusalIn(checked)) {
        return *refusal;
    }
    const CheckedMac& mac = std::get<CheckedMac>(checked);
    result.Step(StepLabel(prefix, "padded data"), mac.padded);
    auto full = request.algorithm == MacAlgorithm::cbc_mac ? CbcMac(mac, result, prefix)
                                                           : RetailMac(mac, result, prefix);
    auto* bytes = std::get_if<Bytes>(&full);
    if (bytes != nullptr && mac.length < bytes->size()) {
        result.Step(StepLabel(prefix, "full MAC"), *bytes);
        bytes->resize(mac.length);
    }
    return full;
}

CardOutcome Mac(const TavikAlgBinding& library, const MacRequest& request) {
    CardResult result;
    auto mac = AppendMac(library, request, result);
    if (const auto* refusal = RefusalIn(mac)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Value("", std::get<Bytes>(std::move(mac)));
    return result;
}

} // namespace orvelin::card
