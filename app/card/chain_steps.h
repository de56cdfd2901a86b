// CBC chaining step by step through the block exports: the chain that
// CBC-MAC, the retail MAC and CMAC share.
#ifndef ORVELIN_CARD_CHAIN_STEPS_H
#define ORVELIN_CARD_CHAIN_STEPS_H

#include "block_cipher.h"

#include <string_view>

namespace orvelin::card {

// The chaining value after encrypting each of `blocks` (whole blocks, maybe
// none) XOR the chaining value, from `iv` (one block). Steps, each label
// after `prefix`: the IV, then each block's input and output. Refused: an IV
// that is not one block or blocks that are not whole (before any step), a
// block export that fails (with the steps before it in `result`).
OrRefusal<Bytes> AppendCbcChain(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                std::span<const std::uint8_t> blocks, CardResult& result,
                                std::string_view prefix);

} // namespace orvelin::card

#endif
