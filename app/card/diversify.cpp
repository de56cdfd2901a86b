#include "diversify.h"

#include "card_messages.h"
#include "cmac_steps.h"
#include "step_labels.h"

#include <algorithm>

namespace orvelin::card {
namespace {

constexpr std::uint8_t kPaddingStart = 0x80;
constexpr std::size_t kVersionBytes = 8;
constexpr std::uint8_t kParityBit = 0x01;

// Per cipher: the diversification constants (one CMAC run each) and the
// length every run's input is padded to.
struct Scheme {
    std::vector<std::uint8_t> constants;
    std::size_t padded_size;
};

Scheme SchemeOf(Cipher algorithm) {
    switch (algorithm) {
    case Cipher::two_key_tdes:
        return {{0x21, 0x22}, 16};
    case Cipher::three_key_tdes:
        return {{0x31, 0x32, 0x33}, 16};
    default:
        return {{0x01}, 32};
    }
}

std::string RunLabel(std::size_t run) {
    return "CMAC " + std::to_string(run + 1);
}

// The note's input, padded with 80 then zeros to the whole padded size (not
// only to the next block, as CMAC itself would pad).
Bytes PadInput(const Bytes& input, std::size_t padded_size) {
    Bytes padded = input;
    if (padded.size() < padded_size) {
        padded.push_back(kPaddingStart);
        padded.resize(padded_size);
    }
    return padded;
}

// The same run through whole-message exports, and their names.
struct LibraryRoute {
    OrRefusal<Bytes> mac;
    std::string exports;
};

// Where CMAC's own padding reaches the same blocks, the CMAC export of the
// unpadded input from a zero IV. Otherwise (the input fills at most its first
// block) the CBC export over the first block, then the CMAC export of the
// empty message chained from there: its last block, 80 00..00 XOR K2, is the
// note's last block XOR K2 once the chaining value takes up the difference
// (80 00..00 when the note's last block is all zeros).
LibraryRoute RunThroughLibrary(const BlockCipher& cipher, const Bytes& input, const Bytes& padded) {
    const std::size_t size = cipher.block_size();
    const Bytes zero_iv(size);
    if ((input.size() + size - 1) / size * size == padded.size()) {
        return {cipher.LibraryCmac(zero_iv, input), std::string(cipher.CmacExportName())};
    }
    std::string exports =
        std::string(cipher.CbcExportName()) + " with " + std::string(cipher.CmacExportName());
    const auto head = std::span(padded).first(padded.size() - size);
    const auto chained = cipher.LibraryCbcEncrypt(zero_iv, head);
    if (const auto* refusal = RefusalIn(chained)) {
        return {*refusal, std::move(exports)};
    }
    const Bytes& whole = std::get<Bytes>(chained);
    Bytes iv(whole.end() - static_cast<std::ptrdiff_t>(size), whole.end());
    if (padded[padded.size() - size] != kPaddingStart) {
        iv.front() = static_cast<std::uint8_t>(iv.front() ^ kPaddingStart);
    }
    return {cipher.LibraryCmac(iv, {}), std::move(exports)};
}

OrRefusal<Bytes> Run(const BlockCipher& cipher, std::uint8_t constant,
                     std::span<const std::uint8_t> m, std::size_t padded_size,
                     const std::string& prefix, CardResult& result) {
    Bytes input{constant};
    input.insert(input.end(), m.begin(), m.end());
    result.Step(StepLabel(prefix, "input"), input);
    const Bytes padded = PadInput(input, padded_size);
    result.Step(StepLabel(prefix, "padded input"), padded);
    const LastBlockSubkey subkey =
        input.size() == padded_size ? LastBlockSubkey::k1 : LastBlockSubkey::k2;
    const Bytes zero_iv(cipher.block_size());
    auto mac = AppendCmacOfBlocks(cipher, zero_iv, padded, subkey, result, prefix);
    if (const auto* refusal = RefusalIn(mac)) {
        return *refusal;
    }
    const LibraryRoute library = RunThroughLibrary(cipher, input, padded);
    if (const auto* refusal = RefusalIn(library.mac)) {
        return *refusal;
    }
    NoteCheck(result, std::get<Bytes>(library.mac) == std::get<Bytes>(mac),
              prefix + "'s steps through the block exports", library.exports);
    return mac;
}

// The master key's version lives in the parity bits of its first 8 bytes;
// the derived key takes them there, for two- and three-key keys alike. The
// rest of the key is the runs' MACs as computed.
void CarryVersionBits(std::span<const std::uint8_t> master_key, Bytes& key) {
    for (std::size_t i = 0; i < kVersionBytes; ++i) {
        const auto bit = static_cast<std::uint8_t>(master_key[i] & kParityBit);
        key[i] = static_cast<std::uint8_t>((key[i] & ~kParityBit) | bit);
    }
}

} // namespace

CardOutcome DiversifyKey(const TavikAlgBinding& library, const DiversifyRequest& request) {
    const Cipher algorithm = request.cipher.cipher;
    if (algorithm == Cipher::des) {
        return CardRefusal{std::string(messages::kNoDesDiversification)};
    }
    auto made = BlockCipher::Make(library, request.cipher, request.master_key);
    if (auto* refusal = std::get_if<CardRefusal>(&made)) {
        return *refusal;
    }
    const BlockCipher& cipher = std::get<BlockCipher>(made);
    const Scheme scheme = SchemeOf(algorithm);
    // The constant takes one byte of the padded input.
    if (request.input.empty() || request.input.size() >= scheme.padded_size) {
        return CardRefusal{
            messages::LengthOutOfRange("Diversification input", 1, scheme.padded_size - 1)};
    }
    CardResult result;
    Bytes key;
    for (std::size_t run = 0; run < scheme.constants.size(); ++run) {
        const auto mac = Run(cipher, scheme.constants[run], request.input, scheme.padded_size,
                             RunLabel(run), result);
        if (const auto* refusal = RefusalIn(mac)) {
            return LateRefusal(std::move(result), *refusal);
        }
        key.insert(key.end(), std::get<Bytes>(mac).begin(), std::get<Bytes>(mac).end());
    }
    if (algorithm != Cipher::aes) {
        result.Step("MACs joined", key);
        CarryVersionBits(request.master_key, key);
    }
    result.Value("", std::move(key));
    return result;
}

} // namespace orvelin::card
