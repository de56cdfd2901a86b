// Every button's operation on arbitrary field texts, through the run-time
// binding as the window calls it: no input may make an operation read or
// write outside a buffer, a refusal names one of the program's messages, and
// what a done press shows reads back as the bytes it stands for.
// Input: byte 0 the button, byte 1 the check boxes, then the SessionKey, IV
// and DataIn texts separated by '\n'.
#include "field_capacity.h"
#include "fuzz_check.h"
#include "hex_text.h"
#include "messages.h"
#include "operations.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using orvelin::fuzz::Require;
namespace msg = orvelin::messages;

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding library =
        std::get<orvelin::TavikAlgBinding>(orvelin::TavikAlgBinding::Bind(ORVELIN_FUZZ_LIBRARY));
    return library;
}

struct Press {
    std::uint8_t button = 0;
    std::uint8_t boxes = 0;
    orvelin::Fields fields;
};

std::string_view NextText(std::string_view& rest) {
    const auto end = rest.find('\n');
    const auto text = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    return text;
}

Press Decode(const std::uint8_t* data, std::size_t size) {
    Press press;
    if (size < 2) {
        return press;
    }
    press.button = data[0];
    press.boxes = data[1];
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    press.fields.session_key = NextText(rest);
    press.fields.iv = NextText(rest);
    press.fields.data_in = rest;
    return press;
}

orvelin::CipherChoice ChoiceOf(std::uint8_t boxes) {
    return orvelin::CipherChoiceOf({.aes_enabled = (boxes & 1U) != 0,
                                    .two_key = (boxes >> 2) % 3 == 1,
                                    .three_key = (boxes >> 2) % 3 == 2,
                                    .cbc = (boxes & 2U) != 0});
}

bool IsProgramMessage(const std::string& text) {
    constexpr std::array fixed = {
        msg::kKeyLength16,    msg::kKeyLength24,     msg::kIvLength8,       msg::kIvLength16,
        msg::kDesKeyAtLeast8, msg::kDataMultipleOf8, msg::kDataMultipleOf16};
    for (const auto label : {msg::kSessionKeyLabel, msg::kIvLabel, msg::kDataInLabel}) {
        if (text == msg::NotHexDigits(label) || text == msg::TooLong(label)) {
            return true;
        }
    }
    return std::ranges::find(fixed, text) != fixed.end();
}

// A field shows what WriteHex makes of the bytes, and reading that text
// gives the same bytes back.
void RequireReadsBack(const orvelin::Bytes& bytes) {
    const std::string text = orvelin::WriteHex(bytes);
    std::array<std::uint8_t, orvelin::kFieldCapacity> back{};
    const auto reading = orvelin::ReadHex(text, back);
    Require(reading.only_hex_digits && reading.count == bytes.size());
    Require(std::ranges::equal(bytes, std::span(back).first(bytes.size())));
}

// Decrypt undoes Encrypt for every choice the press allowed.
void RequireRoundTrip(const Press& press, const orvelin::Bytes& cipher) {
    orvelin::Fields back = press.fields;
    back.data_in = orvelin::WriteHex(cipher);
    const auto plain = orvelin::Decrypt(Library(), back, ChoiceOf(press.boxes));
    const auto* shown = std::get_if<orvelin::Shown>(&plain);
    Require(shown != nullptr && shown->data_out.has_value());
    std::array<std::uint8_t, orvelin::kFieldCapacity> original{};
    const auto reading = orvelin::ReadHex(press.fields.data_in, original);
    Require(std::ranges::equal(*shown->data_out, std::span(original).first(reading.count)));
}

orvelin::Outcome Run(const Press& press) {
    const auto& library = Library();
    switch (press.button % 7) {
    case 0:
        return orvelin::Encrypt(library, press.fields, ChoiceOf(press.boxes));
    case 1:
        return orvelin::Decrypt(library, press.fields, ChoiceOf(press.boxes));
    case 2:
        return orvelin::AesCmac(library, press.fields);
    case 3:
        return orvelin::TdesCmac(library, press.fields);
    case 4:
        return orvelin::Tdes3KeyCmac(library, press.fields);
    case 5:
        return orvelin::KeyXorIn(press.fields);
    default:
        return orvelin::CalcCrc(press.fields.data_in,
                                {(press.boxes & 1U) != 0, (press.boxes & 2U) != 0});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Press press = Decode(data, size);
    const orvelin::Outcome outcome = Run(press);
    if (const auto* refusal = std::get_if<orvelin::Refusal>(&outcome)) {
        Require(IsProgramMessage(refusal->message));
        return 0;
    }
    const auto& shown = std::get<orvelin::Shown>(outcome);
    for (const auto& field : {shown.data_out, shown.cmac}) {
        if (field) {
            Require(field->size() <= orvelin::kFieldCapacity);
            RequireReadsBack(*field);
        }
    }
    if (press.button % 7 == 0) {
        RequireRoundTrip(press, shown.data_out.value());
    }
    return 0;
}
