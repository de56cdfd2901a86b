#include "scp03.h"

#include "kbkdf.h"
#include "secure_channel.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace orvelin::card {
namespace {

constexpr std::size_t kKeySize = TAVIK_AES_KEY_SIZE;
constexpr std::size_t kChallengeSize = 8;
constexpr std::size_t kLabelZeros = 11;
constexpr std::size_t kBitsPerByte = 8;
constexpr std::size_t kCryptogramSize = 8;

enum class DerivationConstant : std::uint8_t {
    card_cryptogram = 0x00,
    host_cryptogram = 0x01,
    s_enc = 0x04,
    s_mac = 0x06,
    s_rmac = 0x07,
};

// The label (eleven zero bytes and the constant), the separator and the
// output length in bits: everything before the counter.
Bytes BeforeCounter(DerivationConstant constant, std::size_t output_size) {
    const std::size_t bits = output_size * kBitsPerByte;
    const std::array<std::uint8_t, 4> constant_to_length = {
        static_cast<std::uint8_t>(constant), 0x00, static_cast<std::uint8_t>(bits >> kBitsPerByte),
        static_cast<std::uint8_t>(bits & 0xFFU)};
    return Joined({std::array<std::uint8_t, kLabelZeros>{}, constant_to_length});
}

// One value of the session: its name, constant and length.
struct Derivation {
    std::string_view name;
    DerivationConstant constant;
    std::size_t output_size;
};

// The value derived under `key` added to the result's values, or the refusal
// met.
std::optional<CardRefusal> AddDerived(const TavikAlgBinding& library,
                                      std::span<const std::uint8_t> key,
                                      const Derivation& derivation,
                                      std::span<const std::uint8_t> context, CardResult& result) {
    const Bytes before = BeforeCounter(derivation.constant, derivation.output_size);
    const KbkdfRequest request{.key = key,
                               .before_counter = before,
                               .after_counter = context,
                               .output_size = derivation.output_size};
    auto derived = AppendKbkdf(library, request, result, derivation.name);
    if (const auto* refusal = RefusalIn(derived)) {
        return *refusal;
    }
    result.Value(std::string(derivation.name), std::get<Bytes>(std::move(derived)));
    return std::nullopt;
}

} // namespace

CardOutcome Scp03SessionKeys(const TavikAlgBinding& library, const Scp03Session& session) {
    if (auto refusal = FirstRefusal(
            {RequireLength("The ENC key", session.enc, kKeySize),
             RequireLength("The MAC key", session.mac, kKeySize),
             RequireLength("The host challenge", session.host_challenge, kChallengeSize),
             RequireLength("The card challenge", session.card_challenge, kChallengeSize)})) {
        return *refusal;
    }
    CardResult result;
    const Bytes context = Joined({session.host_challenge, session.card_challenge});
    result.Step("context", context);
    // S-ENC under ENC, S-MAC and S-RMAC under MAC, the cryptograms under
    // S-MAC, the second value.
    const std::pair<Derivation, std::span<const std::uint8_t>> keys[] = {
        {{"S-ENC", DerivationConstant::s_enc, kKeySize}, session.enc},
        {{"S-MAC", DerivationConstant::s_mac, kKeySize}, session.mac},
        {{"S-RMAC", DerivationConstant::s_rmac, kKeySize}, session.mac},
    };
    const Derivation cryptograms[] = {
        {"card-cryptogram", DerivationConstant::card_cryptogram, kCryptogramSize},
        {"host-cryptogram", DerivationConstant::host_cryptogram, kCryptogramSize},
    };
    for (const auto& [derivation, key] : keys) {
        if (auto refusal = AddDerived(library, key, derivation, context, result)) {
            return LateRefusal(std::move(result), *refusal);
        }
    }
    const Bytes s_mac = result.values.at(1).bytes;
    for (const Derivation& derivation : cryptograms) {
        if (auto refusal = AddDerived(library, s_mac, derivation, context, result)) {
            return LateRefusal(std::move(result), *refusal);
        }
    }
    return result;
}

} // namespace orvelin::card
