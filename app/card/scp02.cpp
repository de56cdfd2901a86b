#include "scp02.h"

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
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kMaxShortLc = 255;
constexpr std::uint8_t kSecureMessagingBit = 0x04;

constexpr std::array<std::uint8_t, 2> kEncConstant = {0x01, 0x82};
constexpr std::array<std::uint8_t, 2> kCMacConstant = {0x01, 0x01};
constexpr std::array<std::uint8_t, 2> kRMacConstant = {0x01, 0x02};
constexpr std::array<std::uint8_t, 2> kDekConstant = {0x01, 0x81};

constexpr std::string_view kApduTooShort = "The APDU must hold at least CLA, INS, P1 and P2!";
constexpr std::string_view kLcMismatch =
    "The APDU's Lc must equal the number of data bytes that follow it (then at most Le)!";
constexpr std::string_view kNoRoomForMac =
    "Lc must leave room for the 8-byte C-MAC: at most 247 bytes!";

// The triple-DES CBC encryption from a zero IV of constant || sequence
// counter || twelve zero bytes.
Bytes SessionKey(const TavikAlgBinding& library, std::span<const std::uint8_t> static_key,
                 std::span<const std::uint8_t> constant, std::span<const std::uint8_t> sequence,
                 CardResult& result, const std::string& name) {
    const Bytes input = Joined({constant, sequence, std::array<std::uint8_t, 12>{}});
    result.Step(name + " input", input);
    return AppendCbcEncrypt(CheckedCipher(library, kCardTwoKeyTdes, static_key), Bytes(kBlock),
                            input, result, name);
}

Bytes Cryptogram(const TavikAlgBinding& library, std::span<const std::uint8_t> s_enc,
                 std::span<const std::uint8_t> input, CardResult& result, std::string_view name) {
    const MacRequest request{.algorithm = MacAlgorithm::cbc_mac,
                             .cipher = kCardTwoKeyTdes,
                             .padding = PaddingMethod::mark_then_zeros,
                             .key = s_enc,
                             .iv = {},
                             .data = input,
                             .length = std::nullopt};
    // The key and the data are within what AppendMac takes.
    return std::get<Bytes>(AppendMac(library, request, result, name));
}

// An APDU read into what the C-MAC covers and what follows it.
struct ParsedApdu {
    std::span<const std::uint8_t> header;
    std::span<const std::uint8_t> data;
    std::span<const std::uint8_t> le;
};

std::variant<CardRefusal, ParsedApdu> ParseApdu(std::span<const std::uint8_t> apdu) {
    if (apdu.size() < kHeaderSize) {
        return CardRefusal{std::string(kApduTooShort)};
    }
    if (apdu.size() == kHeaderSize) {
        return ParsedApdu{apdu, {}, {}};
    }
    const std::size_t lc = apdu[kHeaderSize];
    const std::size_t following = apdu.size() - kHeaderSize - 1;
    if (following != lc && following != lc + 1) {
        return CardRefusal{std::string(kLcMismatch)};
    }
    if (lc + kBlock > kMaxShortLc) {
        return CardRefusal{std::string(kNoRoomForMac)};
    }
    return ParsedApdu{apdu.first(kHeaderSize), apdu.subspan(kHeaderSize + 1, lc),
                      apdu.subspan(kHeaderSize + 1 + lc)};
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
    Bytes s_enc = SessionKey(library, keys.enc, kEncConstant, sequence, result, "S-ENC");
    Bytes c_mac = SessionKey(library, keys.mac, kCMacConstant, sequence, result, "C-MAC");
    Bytes r_mac = SessionKey(library, keys.mac, kRMacConstant, sequence, result, "R-MAC");
    Bytes dek = SessionKey(library, keys.dek, kDekConstant, sequence, result, "DEK");
    const Bytes card_input = Joined({session.host_challenge, sequence, session.card_challenge});
    const Bytes host_input = Joined({sequence, session.card_challenge, session.host_challenge});
    Bytes card = Cryptogram(library, s_enc, card_input, result, "card-cryptogram");
    Bytes host = Cryptogram(library, s_enc, host_input, result, "host-cryptogram");
    result.Value("S-ENC", std::move(s_enc));
    result.Value("C-MAC", std::move(c_mac));
    result.Value("R-MAC", std::move(r_mac));
    result.Value("DEK", std::move(dek));
    result.Value("card-cryptogram", std::move(card));
    result.Value("host-cryptogram", std::move(host));
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
    auto parsed = ParseApdu(request.apdu);
    if (auto* refusal = std::get_if<CardRefusal>(&parsed)) {
        return *refusal;
    }
    const ParsedApdu& apdu = std::get<ParsedApdu>(parsed);
    CardResult result;
    Bytes icv = request.icv.empty() ? Bytes(kBlock) : Bytes(request.icv.begin(), request.icv.end());
    result.Step("ICV", icv);
    if (request.icv_use == Scp02Icv::encrypted && !request.icv.empty()) {
        const auto left = request.c_mac_key.first(TAVIK_DES_KEY_SIZE);
        icv = CheckedCipher(library, kCardDes, left).Encrypt(icv);
        result.Step("ICV encrypted", icv);
    }
    Bytes input = Joined({apdu.header, apdu.data});
    input[0] = static_cast<std::uint8_t>(input[0] | kSecureMessagingBit);
    input.insert(input.begin() + kHeaderSize, static_cast<std::uint8_t>(apdu.data.size() + kBlock));
    result.Step("MAC input", input);
    const MacRequest mac_request{.algorithm = MacAlgorithm::retail,
                                 .cipher = std::nullopt,
                                 .padding = PaddingMethod::mark_then_zeros,
                                 .key = request.c_mac_key,
                                 .iv = icv,
                                 .data = input,
                                 .length = std::nullopt};
    Bytes mac = std::get<Bytes>(AppendMac(library, mac_request, result, "C-MAC"));
    result.Step("APDU with C-MAC", Joined({input, mac, apdu.le}));
    result.Value("", std::move(mac));
    return result;
}

} // namespace orvelin::card
