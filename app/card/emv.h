// EMV with two-key triple DES keys (EMV Book 2, annex A1): the ICC master
// key by option A, the common session key, the application cryptogram and
// the ARPC by method 1.
#ifndef ORVELIN_CARD_EMV_H
#define ORVELIN_CARD_EMV_H

#include "card_result.h"
#include "padding.h"
#include "tavik_alg_binding.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace orvelin::card {

// The ICC master key (one value): Y is the rightmost 16 digits of PAN || PSN
// (left-padded with zeros when shorter) packed two to a byte; the key is
// E(IMK, Y) || E(IMK, Y XOR FF..FF) with odd parity set. `pan` is 1 to 19
// decimal digits, `psn` two digits or empty for 00. Steps: the digits, Y,
// Y XOR FF..FF, both halves before parity. Refused: an IMK that is not 16
// bytes, a PAN or PSN that is not as above.
CardOutcome EmvIccMasterKey(const TavikAlgBinding& library, std::span<const std::uint8_t> imk,
                            std::string_view pan, std::string_view psn);

// The common session key (one value): E(MK, R with byte 2 set to F0) ||
// E(MK, R with byte 2 set to 0F), odd parity set. R is 8 bytes (ATC || 00 00
// || UN, say). Steps: both inputs, both halves before parity. Refused: a key
// that is not 16 bytes, an R that is not 8.
CardOutcome EmvSessionKey(const TavikAlgBinding& library, std::span<const std::uint8_t> master_key,
                          std::span<const std::uint8_t> r);

// The application cryptogram (one value): ISO/IEC 9797-1 algorithm 3 under
// the session key over the data padded by method 1 or 2. Steps: the MAC's.
// Refused: a key that is not 16 bytes, padding method 3, data over
// kMaxCardData.
CardOutcome EmvArqc(const TavikAlgBinding& library, std::span<const std::uint8_t> session_key,
                    std::span<const std::uint8_t> data,
                    PaddingMethod padding = PaddingMethod::mark_then_zeros);

// ARPC method 1 (one value): E(K, ARQC XOR (ARC || six zero bytes)). Steps:
// the block encrypted. Refused: a key that is not 16 bytes, an ARQC that is
// not 8, an ARC that is not 2.
CardOutcome EmvArpc(const TavikAlgBinding& library, std::span<const std::uint8_t> key,
                    std::span<const std::uint8_t> arqc, std::span<const std::uint8_t> arc);

} // namespace orvelin::card

#endif
