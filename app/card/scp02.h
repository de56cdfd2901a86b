// GlobalPlatform Secure Channel Protocol 02 with two-key triple DES: the
// session keys and both cryptograms of a session, and the C-MAC of one
// command APDU.
#ifndef ORVELIN_CARD_SCP02_H
#define ORVELIN_CARD_SCP02_H

#include "card_result.h"
#include "tavik_alg_binding.h"

#include <cstdint>
#include <span>

namespace orvelin::card {

// The card's static keys, 16 bytes each (test cards often hold one key three
// times).
struct Scp02StaticKeys {
    std::span<const std::uint8_t> enc;
    std::span<const std::uint8_t> mac;
    std::span<const std::uint8_t> dek;
};

struct Scp02Session {
    std::span<const std::uint8_t> sequence_counter; // 2 bytes
    std::span<const std::uint8_t> host_challenge;   // 8 bytes
    std::span<const std::uint8_t> card_challenge;   // 6 bytes
};

// S-ENC, C-MAC, R-MAC, DEK, card-cryptogram, host-cryptogram, in that order.
// Each session key is the triple-DES CBC encryption from a zero IV of its
// constant (0182, 0101, 0102, 0181) || sequence counter || twelve zero bytes
// under the static ENC, MAC, MAC or DEK key; each cryptogram the full
// triple-DES MAC (ISO/IEC 9797-1 algorithm 1, padding method 2) under S-ENC
// over host || sequence || card challenge (card-cryptogram) or sequence ||
// card || host challenge (host-cryptogram). Refused: any length above.
CardOutcome Scp02SessionKeys(const TavikAlgBinding& library, const Scp02StaticKeys& keys,
                             const Scp02Session& session);

// How the ICV given for a later command is used.
enum class Scp02Icv {
    as_given,
    // Encrypted first under single DES with the C-MAC key's left half, as
    // cards that ask for ICV encryption expect. The zero ICV of a first
    // command is never encrypted.
    encrypted,
};

struct Scp02CommandMacRequest {
    std::span<const std::uint8_t> c_mac_key; // 16 bytes
    // A short command APDU of any case of ISO/IEC 7816-4: CLA INS P1 P2
    // alone, then Le, or Lc and its data, or Lc, its data and Le.
    std::span<const std::uint8_t> apdu;
    // Empty for the first command (the zero ICV), else 8 bytes.
    std::span<const std::uint8_t> icv{};
    Scp02Icv icv_use = Scp02Icv::as_given;
};

// The C-MAC (one value): the retail MAC (ISO/IEC 9797-1 algorithm 3, padding
// method 2) from the ICV over the header with the secure-messaging bit (04)
// set in CLA and Lc raised by 8 (08 for a command without data), then the
// data; Le is not MACed. Steps: the APDU's case, the ICV used, the MAC
// input, the MAC's steps, the APDU as sent: the MAC input, the C-MAC, then
// Le if the command has one. Refused: a key or ICV of the wrong length, an
// APDU that ReadShortApdu refuses or whose Lc leaves no room for the 8 MAC
// bytes; a library call that does not report done (with the steps so far).
CardOutcome Scp02CommandMac(const TavikAlgBinding& library, const Scp02CommandMacRequest& request);

} // namespace orvelin::card

#endif
