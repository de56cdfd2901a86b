#include "scp02.h"

#include "apdu.h"
#include "block_cipher.h"
#include "mac.h"
#include "secure_channel.h"

#include <array>
#include <optional>
#include <string>

namespace orvelin::card {
namespace {

constexpr std::size_t kKeySize = TAVIK_2TDES_KEY_SIZE;
constexpr std::size_t kBlock = TAVIK_DES_BLOCK_SIZE;
constexpr std::size_t kMaxShortLc = 255;
constexpr std::uint8_t kSecureMessagingBit = 0x04;

constexpr std::array<std::uint8_t, 2> kEncConstant = {0x01, 0x82};
constexpr std::array<std::uint8_t, 2> kCMacConstant = {0x01, 0x01};
constexpr std::array<std::uint8_t, 2> kRMacConstant = {0x01, 0x02};
constexpr std::array<std::uint8_t, 2> kDekConstant = {0x01, 0x81};

constexpr std::string_view kNoRoomForMac =
    "Lc must leave room for the 8-byte C-MAC: at most 247 bytes!";

// One session key: its name, the static key it comes from and its constant.
struct SessionKeyPlan {
    std::string_view name;
    std::span<const std::uint8_t> static_key;
    std::span<const std::uint8_t> constant;
};

// The triple-DES CBC encryption from a zero IV of constant || sequence
// counter || twelve zero bytes.
OrRefusal<Bytes> SessionKey(const TavikAlgBinding& library, const SessionKeyPlan& plan,
                            std::span<const std::uint8_t> sequence, CardResult& result) {
    const auto made = BlockCipher::Make(library, kCardTwoKeyTdes, plan.static_key);
    if (const auto* refusal = RefusalIn(made)) {
        return *refusal;
    }
    const Bytes input = Joined({plan.constant, sequence, std::array<std::uint8_t, 12>{}});
    result.Step(std::string(plan.name) + " input", input);
    return AppendCbcEncrypt(std::get<BlockCipher>(made), Bytes(kBlock), input, result, plan.name);
}

OrRefusal<Bytes> Cryptogram(const TavikAlgBinding& library, std::span<const std::uint8_t> s_enc,
                            std::span<const std::uint8_t> input, CardResult& result,
                            std::string_view name) {
    const MacRequest request{.algorithm = MacAlgorithm::cbc_mac,
                             .cipher = kCardTwoKeyTdes,
                             .padding = PaddingMethod::mark_then_zeros,
                             .key = s_enc,
                             .iv = {},
                             .data = input,
                             .length = std::nullopt};
    return AppendMac(library, request, result, name);
}

// The ICV the C-MAC is chained from: zeros for a first command, else the
// one given, encrypted first if the card asks for it.
OrRefusal<Bytes> UsedIcv(const TavikAlgBinding& library, const Scp02CommandMacRequest& request,
                         CardResult& result) {
    Bytes icv = request.icv.empty() ? Bytes(kBlock) : Bytes(request.icv.begin(), request.icv.end());
    result.Step("ICV", icv);
    if (request.icv_use != Scp02Icv::encrypted || request.icv.empty()) {
        return icv;
    }
    const auto made =
        BlockCipher::Make(library, kCardDes, request.c_mac_key.first(TAVIK_DES_KEY_SIZE));
    if (const auto* refusal = RefusalIn(made)) {
        return *refusal;
    }
    auto encrypted = std::get<BlockCipher>(made).Encrypt(icv);
    if (const auto* done = std::get_if<Bytes>(&encrypted)) {
        result.Step("ICV encrypted", *done);
    }
    return encrypted;
}

// What the C-MAC covers: the header with the secure-messaging bit set in
// CLA, Lc raised by 8 (08 when the command has no data), then the data. Le
// is not MACed.
Bytes MacInput(const ShortApdu& apdu) {
    Bytes input = Joined({apdu.header, apdu.data});
    input[0] = static_cast<std::uint8_t>(input[0] | kSecureMessagingBit);
    input.insert(input.begin() + static_cast<std::ptrdiff_t>(apdu.header.size()),
                 static_cast<std::uint8_t>(apdu.data.size() + kBlock));
    return input;
}

} // namespace

CardOutcome Scp02SessionKeys(const TavikAlgBinding& library, const Scp02StaticKeys& keys,
                             const Scp02Session& session) {
    if (auto refusal =
            FirstRefusal({RequireLength("The ENC key", keys.enc, kKeySize),
                          RequireLength("The MAC key", keys.mac, kKeySize),
                          RequireLength("The DEK", keys.dek, kKeySize),
                          RequireLength("The sequence counter", session.sequence_counter, 2),
                          RequireLength("The host challenge", session.host_challenge, 8),
                          RequireLength("The card challenge", session.card_challenge, 6)})) {
        return *refusal;
    }
    const auto sequence = session.sequence_counter;
    CardResult result;
    for (const SessionKeyPlan& plan : {SessionKeyPlan{"S-ENC", keys.enc, kEncConstant},
                                       SessionKeyPlan{"C-MAC", keys.mac, kCMacConstant},
                                       SessionKeyPlan{"R-MAC", keys.mac, kRMacConstant},
                                       SessionKeyPlan{"DEK", keys.dek, kDekConstant}}) {
        auto key = SessionKey(library, plan, sequence, result);
        if (const auto* refusal = RefusalIn(key)) {
            return LateRefusal(std::move(result), *refusal);
        }
        result.Value(std::string(plan.name), std::get<Bytes>(std::move(key)));
    }
    // The cryptograms are MACs under S-ENC, the first value.
    const Bytes s_enc = result.values.front().bytes;
    const Bytes card_input = Joined({session.host_challenge, sequence, session.card_challenge});
    const Bytes host_input = Joined({sequence, session.card_challenge, session.host_challenge});
    for (const auto& [name, input] :
         {std::pair{"card-cryptogram", &card_input}, std::pair{"host-cryptogram", &host_input}}) {
        auto cryptogram = Cryptogram(library, s_enc, *input, result, name);
        if (const auto* refusal = RefusalIn(cryptogram)) {
            return LateRefusal(std::move(result), *refusal);
        }
        result.Value(name, std::get<Bytes>(std::move(cryptogram)));
    }
    return result;
}

CardOutcome Scp02CommandMac(const TavikAlgBinding& library, const Scp02CommandMacRequest& request) {
    if (auto refusal = RequireLength("The C-MAC key", request.c_mac_key, kKeySize)) {
        return *refusal;
    }
    if (!request.icv.empty()) {
        if (auto refusal = RequireLength("The ICV", request.icv, kBlock)) {
            return *refusal;
        }
    }
    const auto read = ReadShortApdu(request.apdu);
    if (const auto* refusal = RefusalIn(read)) {
        return *refusal;
    }
    const ShortApdu& apdu = std::get<ShortApdu>(read);
    if (apdu.data.size() + kBlock > kMaxShortLc) {
        return CardRefusal{std::string(kNoRoomForMac)};
    }
    CardResult result;
    result.Step(std::string(CaseName(apdu.apdu_case)), {});
    const auto icv = UsedIcv(library, request, result);
    if (const auto* refusal = RefusalIn(icv)) {
        return LateRefusal(std::move(result), *refusal);
    }
    const Bytes input = MacInput(apdu);
    result.Step("MAC input", input);
    const MacRequest mac_request{.algorithm = MacAlgorithm::retail,
                                 .cipher = std::nullopt,
                                 .padding = PaddingMethod::mark_then_zeros,
                                 .key = request.c_mac_key,
                                 .iv = std::get<Bytes>(icv),
                                 .data = input,
                                 .length = std::nullopt};
    auto mac = AppendMac(library, mac_request, result, "C-MAC");
    if (const auto* refusal = RefusalIn(mac)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Step("APDU with C-MAC", Joined({input, std::get<Bytes>(mac), apdu.le}));
    result.Value("", std::get<Bytes>(std::move(mac)));
    return result;
}

} // namespace orvelin::card
