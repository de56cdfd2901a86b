// Every step of a CMAC, from the block exports: the subkeys, each chaining
// value, the last block before and after padding and masking, and the MAC.
// The chain starts from `iv`, as the library's CMAC exports start it.
#ifndef TAVIK_CMAC_TRACE_H
#define TAVIK_CMAC_TRACE_H

#include "block_cipher.h"
#include "trace.h"

namespace orvelin::cli {

// `iv` is one block; `message` any length.
Trace TraceCmac(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                std::span<const std::uint8_t> message);

// K1 from L, K2 from K1: shift left one bit; when a bit falls out of the top,
// XOR the block size's constant (0x87 for 128-bit blocks, 0x1B for 64-bit).
Bytes DoubleSubkey(std::span<const std::uint8_t> block);

} // namespace orvelin::cli

#endif
