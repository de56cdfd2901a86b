#include "emv.h"

#include "block_cipher.h"
#include "card_messages.h"
#include "mac.h"
#include "secure_channel.h"

#include <algorithm>
#include <array>
#include <string>

namespace orvelin::card {
namespace {

constexpr std::size_t kKeySize = TAVIK_2TDES_KEY_SIZE;
constexpr std::size_t kBlock = TAVIK_DES_BLOCK_SIZE;
constexpr std::size_t kMaxPanDigits = 19;
constexpr std::size_t kPsnDigits = 2;
constexpr std::size_t kYDigits = 2 * kBlock;
constexpr std::size_t kRVariedByte = 2;

constexpr std::string_view kPanDigits = "The PAN must be 1 to 19 decimal digits!";
constexpr std::string_view kPsnDigitsMessage = "The PSN must be 2 decimal digits!";
constexpr std::string_view kArqcPadding = "The cryptogram's padding must be method 1 or 2!";

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Two decimal digits to a byte, the first in the high nibble.
Bytes PackedDigits(std::string_view digits) {
    Bytes packed;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        packed.push_back(static_cast<std::uint8_t>((digits[i] - '0') << 4 | (digits[i + 1] - '0')));
    }
    return packed;
}

// One block encrypted through the block export, checked against the CBC
// export from a zero IV.
OrRefusal<Bytes> EncryptBlock(const BlockCipher& cipher, std::span<const std::uint8_t> block,
                              CardResult& result, std::string_view name) {
    result.Step(std::string(name) + " input", Bytes(block.begin(), block.end()));
    return AppendCbcEncrypt(cipher, Bytes(kBlock), block, result, name);
}

// E(K, left input) || E(K, right input), odd parity set, under the two-key
// key `key`: the outcome of a key derivation.
CardOutcome DerivedKey(const TavikAlgBinding& library, std::span<const std::uint8_t> key,
                       std::span<const std::uint8_t> left, std::span<const std::uint8_t> right,
                       CardResult&& result) {
    const auto made = BlockCipher::Make(library, kCardTwoKeyTdes, key);
    if (const auto* refusal = RefusalIn(made)) {
        return LateRefusal(std::move(result), *refusal);
    }
    const BlockCipher& cipher = std::get<BlockCipher>(made);
    const auto left_half = EncryptBlock(cipher, left, result, "left half");
    if (const auto* refusal = RefusalIn(left_half)) {
        return LateRefusal(std::move(result), *refusal);
    }
    const auto right_half = EncryptBlock(cipher, right, result, "right half");
    if (const auto* refusal = RefusalIn(right_half)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Value("",
                 WithOddParity(Joined({std::get<Bytes>(left_half), std::get<Bytes>(right_half)})));
    return std::move(result);
}

} // namespace

CardOutcome EmvIccMasterKey(const TavikAlgBinding& library, std::span<const std::uint8_t> imk,
                            std::string_view pan, std::string_view psn) {
    if (auto refusal = RequireLength("The IMK", imk, kKeySize)) {
        return *refusal;
    }
    if (pan.empty() || pan.size() > kMaxPanDigits || !AllDigits(pan)) {
        return CardRefusal{std::string(kPanDigits)};
    }
    if (!psn.empty() && (psn.size() != kPsnDigits || !AllDigits(psn))) {
        return CardRefusal{std::string(kPsnDigitsMessage)};
    }
    std::string digits = std::string(pan) + (psn.empty() ? std::string("00") : std::string(psn));
    digits = digits.size() > kYDigits ? digits.substr(digits.size() - kYDigits)
                                      : std::string(kYDigits - digits.size(), '0') + digits;
    CardResult result;
    const Bytes y = PackedDigits(digits);
    result.Step("Y", y);
    const Bytes inverted = XorBytes(
        y, std::array<std::uint8_t, kBlock>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    return DerivedKey(library, imk, y, inverted, std::move(result));
}

CardOutcome EmvSessionKey(const TavikAlgBinding& library, std::span<const std::uint8_t> master_key,
                          std::span<const std::uint8_t> r) {
    if (auto refusal = FirstRefusal({RequireLength("The master key", master_key, kKeySize),
                                     RequireLength("R", r, kBlock)})) {
        return *refusal;
    }
    Bytes left(r.begin(), r.end());
    Bytes right(r.begin(), r.end());
    left[kRVariedByte] = 0xF0;
    right[kRVariedByte] = 0x0F;
    return DerivedKey(library, master_key, left, right, CardResult{});
}

CardOutcome EmvArqc(const TavikAlgBinding& library, std::span<const std::uint8_t> session_key,
                    std::span<const std::uint8_t> data, PaddingMethod padding) {
    if (padding != PaddingMethod::zeros && padding != PaddingMethod::mark_then_zeros) {
        return CardRefusal{std::string(kArqcPadding)};
    }
    const MacRequest request{.algorithm = MacAlgorithm::retail,
                             .cipher = std::nullopt,
                             .padding = padding,
                             .key = session_key,
                             .iv = {},
                             .data = data,
                             .length = std::nullopt};
    return Mac(library, request);
}

CardOutcome EmvArpc(const TavikAlgBinding& library, std::span<const std::uint8_t> key,
                    std::span<const std::uint8_t> arqc, std::span<const std::uint8_t> arc) {
    if (auto refusal = FirstRefusal({RequireLength("The key", key, kKeySize),
                                     RequireLength("The ARQC", arqc, kBlock),
                                     RequireLength("The ARC", arc, 2)})) {
        return *refusal;
    }
    const auto made = BlockCipher::Make(library, kCardTwoKeyTdes, key);
    if (const auto* refusal = RefusalIn(made)) {
        return *refusal;
    }
    CardResult result;
    const Bytes block = XorBytes(arqc, Joined({arc, std::array<std::uint8_t, 6>{}}));
    auto arpc = EncryptBlock(std::get<BlockCipher>(made), block, result, "ARQC XOR ARC");
    if (const auto* refusal = RefusalIn(arpc)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Value("", std::get<Bytes>(std::move(arpc)));
    return result;
}

} // namespace orvelin::card
