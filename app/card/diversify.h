// Key diversification of NXP application note AN10922: the CMAC of a
// diversification constant, the diversification input M and the note's
// padding, under the master key's own cipher. AES-128: one AES-CMAC run
// (constant 01, input padded to 32 bytes, M of 1 to 31 bytes). Two-key triple
// DES: two runs (constants 21 and 22, input padded to 16 bytes, M of 1 to 15
// bytes), three-key: three (31, 32, 33); the derived key is the runs' MACs
// side by side, with the master key's version bits (the parity bits of its
// first 8 bytes) carried into the parity bits of the derived key's first 8
// bytes only, for both key sizes, as the note's examples show. (Some card
// libraries also put the complement of those bits into bytes 8 to 15 of a
// two-key key, a convention of their own that the note does not follow.)
#ifndef ORVELIN_CARD_DIVERSIFY_H
#define ORVELIN_CARD_DIVERSIFY_H

#include "block_cipher.h"

namespace orvelin::card {

struct DiversifyRequest {
    CipherModel cipher = kCardAes;
    std::span<const std::uint8_t> master_key = {};
    std::span<const std::uint8_t> input = {}; // M
};

// The diversified key; steps per run: the CMAC input before and after
// padding, the CMAC's own steps, its raw MAC; then for triple DES the raw
// MACs joined, before the version bits are carried over. Each run is checked
// against the cipher's CMAC export. Refused: single DES, a master key of the
// wrong length, an M that is empty or too long; a library call that does not
// report done (with the steps so far).
CardOutcome DiversifyKey(const TavikAlgBinding& library, const DiversifyRequest& request);

} // namespace orvelin::card

#endif
