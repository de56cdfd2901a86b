#include "desfire.h"

#include "block_cipher.h"
#include "card_messages.h"
#include "cmac_steps.h"
#include "messages.h"
#include "padding.h"
#include "secure_channel.h"
#include "step_labels.h"

#include <array>
#include <string>

namespace orvelin::card {
namespace {

constexpr std::size_t kKeySize = TAVIK_AES_KEY_SIZE;
constexpr std::size_t kBlock = TAVIK_AES_BLOCK_SIZE;
constexpr std::size_t kRandomSize = 16;
constexpr std::size_t kTiSize = 4;
constexpr std::uint64_t kMaxCounter = 0xFFFF;
// Code, counter and TI come before the data in the MAC input.
constexpr std::size_t kMacPrefixSize = 1 + 2 + kTiSize;

constexpr std::array<std::uint8_t, 6> kSv1Label = {0xA5, 0x5A, 0x00, 0x01, 0x00, 0x80};
constexpr std::array<std::uint8_t, 6> kSv2Label = {0x5A, 0xA5, 0x00, 0x01, 0x00, 0x80};
constexpr std::array<std::uint8_t, 2> kCommandIvLabel = {0xA5, 0x5A};
constexpr std::array<std::uint8_t, 2> kResponseIvLabel = {0x5A, 0xA5};

constexpr std::string_view kCounterRange = "The counter must be from 0 to 65535!";

std::optional<CardRefusal> RefuseChannel(const DesfireChannel& channel) {
    if (auto refusal = FirstRefusal({RequireLength("The session key", channel.key, kKeySize),
                                     RequireLength("TI", channel.ti, kTiSize)})) {
        return refusal;
    }
    if (channel.counter > kMaxCounter) {
        return CardRefusal{std::string(kCounterRange)};
    }
    return std::nullopt;
}

// CmdCtr as it travels: least significant byte first.
std::array<std::uint8_t, 2> CounterBytes(std::uint64_t counter) {
    return {static_cast<std::uint8_t>(counter & 0xFFU),
            static_cast<std::uint8_t>((counter >> 8U) & 0xFFU)};
}

// The label, then RndA[0..1], RndA[2..7] XOR RndB[0..5], RndB[6..15],
// RndA[8..15].
Bytes SessionVector(std::span<const std::uint8_t> label, std::span<const std::uint8_t> rnd_a,
                    std::span<const std::uint8_t> rnd_b) {
    const Bytes mixed = XorBytes(rnd_a.subspan(2, 6), rnd_b.first(6));
    return Joined({label, rnd_a.first(2), mixed, rnd_b.subspan(6), rnd_a.subspan(8)});
}

// The IV of the data: the session encryption key's encryption of the
// direction's label, TI, CmdCtr and zeros.
OrRefusal<Bytes> DataIv(const BlockCipher& cipher, const DesfireChannel& channel,
                        CardResult& result) {
    const bool command = channel.direction == DesfireDirection::command;
    const Bytes input = Joined({command ? kCommandIvLabel : kResponseIvLabel, channel.ti,
                                CounterBytes(channel.counter), std::array<std::uint8_t, 8>{}});
    result.Step(command ? "IVc input" : "IVr input", input);
    auto iv = AppendCbcEncrypt(cipher, Bytes(kBlock), input, result, command ? "IVc" : "IVr");
    if (const auto* done = std::get_if<Bytes>(&iv)) {
        result.Step(command ? "IVc" : "IVr", *done);
    }
    return iv;
}

} // namespace

CardOutcome DesfireSessionKeys(const TavikAlgBinding& library, std::span<const std::uint8_t> key,
                               std::span<const std::uint8_t> rnd_a,
                               std::span<const std::uint8_t> rnd_b) {
    if (auto refusal = FirstRefusal({RequireLength("The key", key, kKeySize),
                                     RequireLength("RndA", rnd_a, kRandomSize),
                                     RequireLength("RndB", rnd_b, kRandomSize)})) {
        return *refusal;
    }
    const auto made = BlockCipher::Make(library, kCardAes, key);
    if (const auto* refusal = RefusalIn(made)) {
        return *refusal;
    }
    CardResult result;
    const Bytes sv1 = SessionVector(kSv1Label, rnd_a, rnd_b);
    const Bytes sv2 = SessionVector(kSv2Label, rnd_a, rnd_b);
    result.Step("SV1", sv1);
    result.Step("SV2", sv2);
    const BlockCipher& cipher = std::get<BlockCipher>(made);
    auto enc = AppendCmac(cipher, Bytes(kBlock), sv1, result, "SV1 CMAC");
    if (const auto* refusal = RefusalIn(enc)) {
        return LateRefusal(std::move(result), *refusal);
    }
    auto mac = AppendCmac(cipher, Bytes(kBlock), sv2, result, "SV2 CMAC");
    if (const auto* refusal = RefusalIn(mac)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Value("SesAuthENCKey", std::get<Bytes>(std::move(enc)));
    result.Value("SesAuthMACKey", std::get<Bytes>(std::move(mac)));
    return result;
}

CardOutcome DesfireMac(const TavikAlgBinding& library, const DesfireChannel& channel,
                       std::span<const std::uint8_t> code, std::span<const std::uint8_t> data) {
    if (auto refusal = FirstRefusal(
            {RefuseChannel(channel),
             RequireLength(channel.direction == DesfireDirection::command ? "The command code"
                                                                          : "The response code",
                           code, 1)})) {
        return *refusal;
    }
    if (data.size() > TAVIK_AES_CMAC_MAX_LENGTH - kMacPrefixSize) {
        return CardRefusal{messages::DataTooLong(TAVIK_AES_CMAC_MAX_LENGTH - kMacPrefixSize)};
    }
    const auto made = BlockCipher::Make(library, kCardAes, channel.key);
    if (const auto* refusal = RefusalIn(made)) {
        return *refusal;
    }
    CardResult result;
    const Bytes input = Joined({code, CounterBytes(channel.counter), channel.ti, data});
    result.Step("MAC input", input);
    const auto cmac = AppendCmac(std::get<BlockCipher>(made), Bytes(kBlock), input, result, "CMAC");
    if (const auto* refusal = RefusalIn(cmac)) {
        return LateRefusal(std::move(result), *refusal);
    }
    Bytes truncated;
    for (std::size_t i = 1; i < std::get<Bytes>(cmac).size(); i += 2) {
        truncated.push_back(std::get<Bytes>(cmac)[i]);
    }
    result.Value("", std::move(truncated));
    return result;
}

CardOutcome DesfireEncrypt(const TavikAlgBinding& library, const DesfireChannel& channel,
                           std::span<const std::uint8_t> plain) {
    if (auto refusal = RefuseChannel(channel)) {
        return *refusal;
    }
    const auto padded = PadData(plain, PaddingMethod::mark_then_zeros, kBlock);
    if (const auto* refusal = RefusalIn(padded)) {
        return *refusal;
    }
    const auto made = BlockCipher::Make(library, kCardAes, channel.key);
    if (const auto* refusal = RefusalIn(made)) {
        return *refusal;
    }
    const BlockCipher& cipher = std::get<BlockCipher>(made);
    CardResult result;
    const auto iv = DataIv(cipher, channel, result);
    if (const auto* refusal = RefusalIn(iv)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Step("padded", std::get<Bytes>(padded));
    auto sent =
        AppendCbcEncrypt(cipher, std::get<Bytes>(iv), std::get<Bytes>(padded), result, "data");
    if (const auto* refusal = RefusalIn(sent)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Value("", std::get<Bytes>(std::move(sent)));
    return result;
}

CardOutcome DesfireDecrypt(const TavikAlgBinding& library, const DesfireChannel& channel,
                           std::span<const std::uint8_t> cipher_text) {
    if (auto refusal = RefuseChannel(channel)) {
        return *refusal;
    }
    if (cipher_text.size() > kMaxCardData) {
        return CardRefusal{messages::DataTooLong(kMaxCardData)};
    }
    if (cipher_text.empty() || cipher_text.size() % kBlock != 0) {
        return CardRefusal{std::string(orvelin::messages::kDataMultipleOf16)};
    }
    const auto made = BlockCipher::Make(library, kCardAes, channel.key);
    if (const auto* refusal = RefusalIn(made)) {
        return *refusal;
    }
    const BlockCipher& cipher = std::get<BlockCipher>(made);
    CardResult result;
    const auto iv = DataIv(cipher, channel, result);
    if (const auto* refusal = RefusalIn(iv)) {
        return LateRefusal(std::move(result), *refusal);
    }
    const auto padded = AppendCbcDecrypt(cipher, std::get<Bytes>(iv), cipher_text, result, "data");
    if (const auto* refusal = RefusalIn(padded)) {
        return LateRefusal(std::move(result), *refusal);
    }
    result.Step("padded", std::get<Bytes>(padded));
    // Padding that fails its check is refused with the decrypted blocks,
    // which show the operator why.
    auto unpadded = Unpad(std::get<Bytes>(padded), PaddingMethod::mark_then_zeros, kBlock);
    if (const auto* refusal = std::get_if<CardRefusal>(&unpadded)) {
        return LateRefusal(std::move(result), *refusal);
    }
    auto& plain = std::get<CardResult>(unpadded);
    for (auto& step : plain.steps) {
        result.Step(std::move(step.label), std::move(step.bytes));
    }
    result.Value("", std::move(plain.values.front().bytes));
    return result;
}

} // namespace orvelin::card
