// GlobalPlatform Secure Channel Protocol 03 with AES-128 keys and 8-byte
// challenges: the session keys and both cryptograms of a session, derived as
// Amendment D derives them.
#ifndef ORVELIN_CARD_SCP03_H
#define ORVELIN_CARD_SCP03_H

#include "card_result.h"
#include "tavik_alg_binding.h"

#include <cstdint>
#include <span>

namespace orvelin::card {

struct Scp03Session {
    std::span<const std::uint8_t> enc;            // static ENC key, 16 bytes
    std::span<const std::uint8_t> mac;            // static MAC key, 16 bytes
    std::span<const std::uint8_t> host_challenge; // 8 bytes
    std::span<const std::uint8_t> card_challenge; // 8 bytes
};

// S-ENC, S-MAC, S-RMAC, card-cryptogram, host-cryptogram, in that order.
// Each is NIST SP 800-108 counter mode with AES-CMAC over eleven zero bytes,
// the derivation constant (04 S-ENC, 06 S-MAC, 07 S-RMAC, 00 card
// cryptogram, 01 host cryptogram), a zero byte, the output length in bits
// (2 bytes), the counter (1 byte), then host || card challenge: the session
// keys 128 bits under ENC (S-ENC) or MAC (S-MAC, S-RMAC), the cryptograms 64
// bits under S-MAC. Refused: any length above.
CardOutcome Scp03SessionKeys(const TavikAlgBinding& library, const Scp03Session& session);

} // namespace orvelin::card

#endif
