// Byte-wise helpers shared by the commands and the traces.
#ifndef TAVIK_BYTE_OPS_H
#define TAVIK_BYTE_OPS_H

#include "operations.h"

#include <cstdint>
#include <span>

namespace orvelin::cli {

// a[i] ^ b[i] over the shorter of the two.
Bytes Xor(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// The first `count` bytes (all of them when there are fewer).
Bytes Leftmost(std::span<const std::uint8_t> bytes, std::size_t count);

} // namespace orvelin::cli

#endif
