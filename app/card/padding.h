// The padding methods of ISO/IEC 9797-1 (2011), clause 6.3, and their
// removal. Pure byte work: no library call.
//
// Every method pads to a positive multiple of the block, so empty data still
// yields one block:
//   method 1 (zeros): empty data becomes one block of 00 bytes; otherwise as
//     few 00 bytes (possibly none) as reach a multiple of the block;
//   method 2 (a byte 80, then 00 bytes; also ISO/IEC 7816-4's): always at
//     least the 80, so empty data becomes 80 00 ... 00, and data that already
//     fills its blocks gains a whole block;
//   method 3: a first block holding the data's length in bits (big-endian,
//     right-aligned), then the data padded by method 1 without method 1's
//     empty-data block: empty data becomes the one length block of zeros.
#ifndef ORVELIN_CARD_PADDING_H
#define ORVELIN_CARD_PADDING_H

#include "card_result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

namespace orvelin::card {

enum class PaddingMethod : std::uint8_t { zeros = 1, mark_then_zeros = 2, length_block = 3 };

inline constexpr std::size_t kDefaultPaddingBlock = 8;
// The largest data any card-practice operation takes (that of AES_CMAC).
inline constexpr std::size_t kMaxCardData = 32767;

// The padded data. Refused: a block other than 8 or 16, data over
// kMaxCardData, a method outside 1 to 3.
std::variant<CardRefusal, Bytes> PadData(std::span<const std::uint8_t> data, PaddingMethod method,
                                         std::size_t block = kDefaultPaddingBlock);

// The padded data as one value; steps: the length block (method 3) and the
// bytes added.
CardOutcome Pad(std::span<const std::uint8_t> data, PaddingMethod method,
                std::size_t block = kDefaultPaddingBlock);

// The data without its padding; steps: the bytes removed (and the length
// block for method 3). Refused, never guessed: method 1 always (its zeros
// cannot be told from data), a length that is not a positive multiple of the
// block; method 2 without an 80 in the last block or with a non-zero byte
// after it; method 3 with a length block that disagrees with the data's
// length or a non-zero fill.
CardOutcome Unpad(std::span<const std::uint8_t> padded, PaddingMethod method,
                  std::size_t block = kDefaultPaddingBlock);

} // namespace orvelin::card

#endif
