// Every card-practice operation on arbitrary bytes and options, through the
// run-time binding: no input may make one read or write outside a buffer, a
// refusal always says why, a result never fails its own check against the
// whole-message exports (the library here is the real one), and what one
// operation does its reverse undoes.
// Input: byte 0 the operation, byte 1 its options, then up to five fields,
// each a length byte and that many bytes; the rest is the data.
#include "check_value.h"
#include "desfire.h"
#include "diversify.h"
#include "emv.h"
#include "fuzz_check.h"
#include "mac.h"
#include "padding.h"
#include "scp02.h"
#include "scp03.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace {

namespace card = orvelin::card;
using orvelin::fuzz::Require;
using orvelin::fuzz::Same;
using Span = std::span<const std::uint8_t>;

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding library =
        std::get<orvelin::TavikAlgBinding>(orvelin::TavikAlgBinding::Bind(ORVELIN_FUZZ_LIBRARY));
    return library;
}

constexpr std::size_t kFields = 5;

struct Call {
    std::uint8_t operation = 0;
    std::uint8_t options = 0;
    std::array<Span, kFields> fields{};
    Span data;
};

Call Decode(Span input) {
    Call call;
    if (input.size() < 2) {
        return call;
    }
    call.operation = input[0];
    call.options = input[1];
    Span rest = input.subspan(2);
    for (auto& field : call.fields) {
        const std::size_t length =
            rest.empty() ? 0 : std::min<std::size_t>(rest[0], rest.size() - 1);
        field = rest.empty() ? Span{} : rest.subspan(1, length);
        rest = rest.empty() ? rest : rest.subspan(1 + length);
    }
    call.data = rest;
    return call;
}

orvelin::CipherModel CipherOf(std::uint8_t bits) {
    constexpr std::array ciphers = {orvelin::Cipher::des, orvelin::Cipher::two_key_tdes,
                                    orvelin::Cipher::three_key_tdes, orvelin::Cipher::aes};
    return {.cipher = ciphers[bits % ciphers.size()]};
}

card::PaddingMethod PaddingOf(std::uint8_t bits) {
    return static_cast<card::PaddingMethod>(1 + bits % 3);
}

std::string_view Text(Span bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The result, or null for a refusal, which must say why. The outcome must
// outlive the pointer.
const card::CardResult* Checked(const card::CardOutcome& outcome) {
    if (const auto* refusal = std::get_if<card::CardRefusal>(&outcome)) {
        Require(!refusal->message.empty());
        return nullptr;
    }
    const auto& result = std::get<card::CardResult>(outcome);
    Require(!result.check_failure.has_value() && !result.values.empty());
    return &result;
}

// Padding removed from what was padded gives the data back; method 1 is never
// removed. Padding added to what was validly unpadded gives the input back.
void PaddingRoundTrips(const Call& call) {
    const auto method = PaddingOf(call.options);
    const std::size_t block = (call.options & 4U) != 0 ? 16 : 8;
    const auto padding = card::Pad(call.data, method, block);
    if (const auto* padded = Checked(padding)) {
        const auto back = card::Unpad(padded->values[0].bytes, method, block);
        const auto* unpadded = Checked(back);
        Require((unpadded == nullptr) == (method == card::PaddingMethod::zeros));
        Require(unpadded == nullptr || Same(unpadded->values[0].bytes, call.data));
    }
    const auto removal = card::Unpad(call.data, method, block);
    if (const auto* unpadded = Checked(removal)) {
        const auto again = card::Pad(unpadded->values[0].bytes, method, block);
        Require(Checked(again) != nullptr && Same(Checked(again)->values[0].bytes, call.data));
    }
}

// What DesfireEncrypt makes, DesfireDecrypt turns back into the data.
void DesfireRoundTrips(const Call& call) {
    const card::DesfireChannel channel{.key = call.fields[0],
                                       .ti = call.fields[1],
                                       .counter = call.options,
                                       .direction = (call.options & 1U) != 0
                                                        ? card::DesfireDirection::response
                                                        : card::DesfireDirection::command};
    const auto encryption = card::DesfireEncrypt(Library(), channel, call.data);
    if (const auto* sent = Checked(encryption)) {
        const auto decryption = card::DesfireDecrypt(Library(), channel, sent->values[0].bytes);
        Require(Checked(decryption) != nullptr &&
                Same(Checked(decryption)->values[0].bytes, call.data));
    }
    Checked(card::DesfireDecrypt(Library(), channel, call.data));
}

void RunOne(const Call& call) {
    const auto& library = Library();
    const auto& f = call.fields;
    const std::uint8_t o = call.options;
    switch (call.operation % 14) {
    case 0:
        return PaddingRoundTrips(call);
    case 1: {
        const std::optional<std::size_t> length =
            (o & 0x40U) != 0 ? std::optional<std::size_t>(o >> 3U & 7U) : std::nullopt;
        Checked(card::Mac(
            library,
            {.algorithm = (o & 1U) != 0 ? card::MacAlgorithm::retail : card::MacAlgorithm::cbc_mac,
             .cipher = (o & 2U) != 0 ? std::optional(CipherOf(o >> 2U)) : std::nullopt,
             .padding = PaddingOf(o >> 4U),
             .key = f[0],
             .iv = f[1],
             .data = call.data,
             .length = length}));
        return;
    }
    case 2:
        Checked(card::KeyCheckValue(
            library,
            {.cipher = CipherOf(o),
             .key = f[0],
             .method = static_cast<card::KcvMethod>(o >> 2U & 3U),
             .length = (o & 0x10U) != 0 ? std::optional<std::size_t>(o >> 5U) : std::nullopt}));
        return;
    case 3:
        Checked(card::DiversifyKey(
            library, {.cipher = CipherOf(o), .master_key = f[0], .input = call.data}));
        return;
    case 4:
        Checked(card::DesfireSessionKeys(library, f[0], f[1], f[2]));
        return;
    case 5:
        Checked(
            card::DesfireMac(library, {.key = f[0], .ti = f[1], .counter = o}, f[2], call.data));
        return;
    case 6:
        return DesfireRoundTrips(call);
    case 7:
        Checked(card::Scp02SessionKeys(
            library, {.enc = f[0], .mac = f[0], .dek = f[1]},
            {.sequence_counter = f[2], .host_challenge = f[3], .card_challenge = f[4]}));
        return;
    case 8:
        Checked(card::Scp02CommandMac(
            library,
            {.c_mac_key = f[0],
             .apdu = call.data,
             .icv = f[1],
             .icv_use = (o & 1U) != 0 ? card::Scp02Icv::encrypted : card::Scp02Icv::as_given}));
        return;
    case 9:
        Checked(card::Scp03SessionKeys(
            library, {.enc = f[0], .mac = f[1], .host_challenge = f[2], .card_challenge = f[3]}));
        return;
    case 10:
        Checked(card::EmvIccMasterKey(library, f[0], Text(f[1]), Text(f[2])));
        return;
    case 11:
        Checked(card::EmvSessionKey(library, f[0], f[1]));
        return;
    case 12:
        Checked(card::EmvArqc(library, f[0], call.data, PaddingOf(o)));
        return;
    default:
        Checked(card::EmvArpc(library, f[0], f[1], f[2]));
        return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunOne(Decode(Span(data, size)));
    return 0;
}
