// Command APDUs as ISO/IEC 7816-4 reads them: the four short cases, told
// apart by their length and the byte after the header.
#ifndef ORVELIN_CARD_APDU_H
#define ORVELIN_CARD_APDU_H

#include "card_result.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace orvelin::card {

enum class ApduCase : std::uint8_t {
    header_only = 1, // CLA INS P1 P2
    le_only = 2,     // header, Le
    data_only = 3,   // header, Lc, data
    data_and_le = 4, // header, Lc, data, Le
};

// The parts of a short command APDU, as views into the bytes read.
struct ShortApdu {
    ApduCase apdu_case = ApduCase::header_only;
    std::span<const std::uint8_t> header{}; // CLA INS P1 P2
    std::span<const std::uint8_t> data{};   // the Lc bytes after Lc; empty in cases 1 and 2
    std::span<const std::uint8_t> le{};     // one byte (00 for 256) in cases 2 and 4, else empty
};

// "case 2: header, Le": how a trace names the case read.
std::string_view CaseName(ApduCase apdu_case);

// Refused, each naming why: fewer than the four header bytes; an
// extended-length APDU (00 after the header, then a two-byte Lc or Le); an
// Lc that disagrees with the bytes after it; bytes that fit no case.
OrRefusal<ShortApdu> ReadShortApdu(std::span<const std::uint8_t> apdu);

} // namespace orvelin::card

#endif
