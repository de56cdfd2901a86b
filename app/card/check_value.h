// Key check values, by the conventions in use: the encryption of a zero
// block (the long-standing one), GlobalPlatform's encryption of a block of
// 01 bytes for AES keys, and the AES-CMAC of a zero block or of the empty
// message.
#ifndef ORVELIN_CARD_CHECK_VALUE_H
#define ORVELIN_CARD_CHECK_VALUE_H

#include "block_cipher.h"

#include <optional>

namespace orvelin::card {

enum class KcvMethod { zero_block, ones_block, cmac_zero_block, cmac_empty };

struct KcvRequest {
    CipherModel cipher = kCardDes;
    std::span<const std::uint8_t> key = {};
    KcvMethod method = KcvMethod::zero_block;
    // The leftmost bytes, 1 to the block size; DefaultKcvLength if not given.
    std::optional<std::size_t> length = std::nullopt;
};

// Every method but zero_block is for AES keys only.
bool KcvMethodFits(KcvMethod method, const CipherModel& cipher);
// 5 for cmac_zero_block, 3 for the others.
std::size_t DefaultKcvLength(KcvMethod method);

// The check value; steps: the block encrypted (or the CMAC's steps) and the
// full result before it is cut. Checked against the CBC export from a zero
// IV, or against AES_CMAC. Refused: a method that does not fit the cipher, a
// key of the wrong length, a length outside 1 to the block size.
CardOutcome KeyCheckValue(const TavikAlgBinding& library, const KcvRequest& request);

} // namespace orvelin::card

#endif
