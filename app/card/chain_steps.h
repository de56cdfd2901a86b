// ECB and CBC step by step through the block exports: the chain that
// CBC-MAC, the retail MAC and CMAC share, and whole messages checked against
// the library's whole-message export. Every step's label follows `prefix`;
// each block's steps (step_labels.h), after its number ("block 2 input"):
//   ECB:             input, output
//   CBC encryption:  input, chaining, XOR, output
//   CBC decryption:  input, decrypted, chaining, output
#ifndef ORVELIN_CARD_CHAIN_STEPS_H
#define ORVELIN_CARD_CHAIN_STEPS_H

#include "block_cipher.h"

#include <string_view>

namespace orvelin::card {

// The chaining value after encrypting each of `blocks` (whole blocks, maybe
// none) XOR the chaining value, from `iv` (one block): the IV, then each
// block's CBC encryption steps. Refused: an IV that is not one block or
// blocks that are not whole (before any step), a block export that fails
// (with the steps before it in `result`).
OrRefusal<Bytes> AppendCbcChain(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                std::span<const std::uint8_t> blocks, CardResult& result,
                                std::string_view prefix);

// `data` (whole blocks) through the block export, ECB or CBC from `iv` (one
// block; not read for ECB), each block's steps in `result`; then checked
// against the route's whole-message export, a disagreement noted in
// `result`. Refused: data that is not whole blocks, or for CBC an IV that
// is not one block (before any step); an export that does not report done
// (the steps so far in `result`).
OrRefusal<Bytes> AppendCipher(const BlockCipher& cipher, Chaining chaining, Direction direction,
                              std::span<const std::uint8_t> iv, std::span<const std::uint8_t> data,
                              CardResult& result, std::string_view prefix = {});

// AppendCipher in CBC, encrypting and decrypting.
OrRefusal<Bytes> AppendCbcEncrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix);
OrRefusal<Bytes> AppendCbcDecrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix);

} // namespace orvelin::card

#endif
