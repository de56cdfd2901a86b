// Every block of an ECB or CBC run, step by step, from the block exports.
#ifndef TAVIK_CIPHER_TRACE_H
#define TAVIK_CIPHER_TRACE_H

#include "block_cipher.h"
#include "library_calls.h"
#include "trace.h"

namespace orvelin::cli {

// Per block: its input, then for CBC the chaining value and the value the
// block cipher takes (encryption) or gives (decryption), then its output.
// `data` is whole blocks; `iv` is one block (read for CBC only).
Trace TraceCipher(const BlockCipher& cipher, Direction direction, bool cbc,
                  std::span<const std::uint8_t> iv, std::span<const std::uint8_t> data);

} // namespace orvelin::cli

#endif
