#include "scp03.h"

#include "kbkdf.h"
#include "secure_channel.h"

#include <array>

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

Bytes Derive(const TavikAlgBinding& library, std::span<const std::uint8_t> key,
             DerivationConstant constant, std::size_t output_size,
             std::span<const std::uint8_t> context, CardResult& result, std::string_view name) {
    const Bytes before = BeforeCounter(constant, output_size);
    const KbkdfRequest request{
        .key = key, .before_counter = before, .after_counter = context, .output_size = output_size};
    // The key, the fixed input and the output size are within what
    // AppendKbkdf takes.
    return std::get<Bytes>(AppendKbkdf(library, request, result, name));
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
    Bytes s_enc =
        Derive(library, session.enc, DerivationConstant::s_enc, kKeySize, context, result, "S-ENC");
    Bytes s_mac =
        Derive(library, session.mac, DerivationConstant::s_mac, kKeySize, context, result, "S-MAC");
    Bytes s_rmac = Derive(library, session.mac, DerivationConstant::s_rmac, kKeySize, context,
                          result, "S-RMAC");
    Bytes card = Derive(library, s_mac, DerivationConstant::card_cryptogram, kCryptogramSize,
                        context, result, "card-cryptogram");
    Bytes host = Derive(library, s_mac, DerivationConstant::host_cryptogram, kCryptogramSize,
                        context, result, "host-cryptogram");
    result.Value("S-ENC", std::move(s_enc));
    result.Value("S-MAC", std::move(s_mac));
    result.Value("S-RMAC", std::move(s_rmac));
    result.Value("card-cryptogram", std::move(card));
    result.Value("host-cryptogram", std::move(host));
    return result;
}

} // namespace orvelin::card
