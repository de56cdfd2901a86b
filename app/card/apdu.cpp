#include "apdu.h"

#include <string>

namespace orvelin::card {
namespace {

constexpr std::size_t kHeaderSize = 4;
// A short Lc or Le; after the header, 00 and two length bytes mark an
// extended one.
constexpr std::size_t kShortLengthSize = 1;
constexpr std::size_t kExtendedLengthSize = 3;

constexpr std::string_view kApduTooShort = "The APDU must hold at least CLA, INS, P1 and P2!";
constexpr std::string_view kExtended =
    "Extended-length APDUs are not taken: Lc and Le must be one byte each!";
constexpr std::string_view kLcMismatch =
    "The APDU's Lc must equal the number of data bytes that follow it (then at most Le)!";
constexpr std::string_view kNoCase =
    "The APDU fits no case of ISO/IEC 7816-4: 00 after the header is Le alone, or starts an "
    "extended length that these bytes do not hold!";

// Extended cases 2E (00 Le Le), 3E (00 Lc Lc data) and 4E (00 Lc Lc data Le Le).
bool IsExtended(std::span<const std::uint8_t> body) {
    if (body.size() < kExtendedLengthSize || body[0] != 0) {
        return false;
    }
    const std::size_t length = static_cast<std::size_t>(body[1]) << 8U | body[2];
    const std::size_t after = body.size() - kExtendedLengthSize;
    return after == 0 || (length != 0 && (after == length || after == length + 2));
}

} // namespace

std::string_view CaseName(ApduCase apdu_case) {
    switch (apdu_case) {
    case ApduCase::le_only:
        return "case 2: header, Le";
    case ApduCase::data_only:
        return "case 3: header, Lc, data";
    case ApduCase::data_and_le:
        return "case 4: header, Lc, data, Le";
    case ApduCase::header_only:
        break;
    }
    return "case 1: header";
}

OrRefusal<ShortApdu> ReadShortApdu(std::span<const std::uint8_t> apdu) {
    if (apdu.size() < kHeaderSize) {
        return CardRefusal{std::string(kApduTooShort)};
    }
    const auto header = apdu.first(kHeaderSize);
    const auto body = apdu.subspan(kHeaderSize);
    if (body.empty()) {
        return ShortApdu{.apdu_case = ApduCase::header_only, .header = header};
    }
    if (body.size() == kShortLengthSize) {
        return ShortApdu{.apdu_case = ApduCase::le_only, .header = header, .le = body};
    }
    if (body[0] == 0) {
        return CardRefusal{std::string(IsExtended(body) ? kExtended : kNoCase)};
    }
    const std::size_t lc = body[0];
    const std::size_t after = body.size() - kShortLengthSize;
    if (after != lc && after != lc + kShortLengthSize) {
        return CardRefusal{std::string(kLcMismatch)};
    }
    const auto data = body.subspan(kShortLengthSize, lc);
    const auto le = body.subspan(kShortLengthSize + lc);
    return ShortApdu{.apdu_case = le.empty() ? ApduCase::data_only : ApduCase::data_and_le,
                     .header = header,
                     .data = data,
                     .le = le};
}

} // namespace orvelin::card
