// The key-based key derivation of NIST SP 800-108 in counter mode with
// AES-128 CMAC as the pseudo-random function and a one-byte counter, the
// counter anywhere in the fixed input data: before it, after it, or between
// two parts of it (GlobalPlatform SCP03 puts it between its label, separator
// and length and its context).
#ifndef ORVELIN_CARD_KBKDF_H
#define ORVELIN_CARD_KBKDF_H

#include "block_cipher.h"

#include <string_view>

namespace orvelin::card {

struct KbkdfRequest {
    std::span<const std::uint8_t> key; // 16 bytes
    // The fixed input data before and after the counter byte.
    std::span<const std::uint8_t> before_counter{};
    std::span<const std::uint8_t> after_counter{};
    // The derived key's length, 1 to 255 blocks of 16 bytes.
    std::size_t output_size = TAVIK_AES_BLOCK_SIZE;
};

// K(i) = CMAC(key, before || i || after) for i = 1, 2, ..., the outputs side
// by side and cut to output_size. Steps: each input and each CMAC's, after
// `prefix`. Refused: a key that is not 16 bytes, an output size out of
// range, fixed input over what AES_CMAC takes; later, the steps so far in
// `result`, an export that does not report done.
OrRefusal<Bytes> AppendKbkdf(const TavikAlgBinding& library, const KbkdfRequest& request,
                             CardResult& result, std::string_view prefix = {});

// The same as an outcome of its own: one value, the derived key.
CardOutcome Kbkdf(const TavikAlgBinding& library, const KbkdfRequest& request);

} // namespace orvelin::card

#endif
