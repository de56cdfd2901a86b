// What the session-key and secure-messaging operations (DESFire EV2,
// GlobalPlatform SCP02 and SCP03, EMV) share: length checks that name the
// input, byte strings put together, CBC encryption and decryption block by
// block with their check against the library's CBC export, and odd parity.
#ifndef ORVELIN_CARD_SECURE_CHANNEL_H
#define ORVELIN_CARD_SECURE_CHANNEL_H

#include "block_cipher.h"

#include <initializer_list>
#include <optional>
#include <string_view>

namespace orvelin::card {

// "<What> must be N bytes!" unless `bytes` holds exactly `size` bytes.
std::optional<CardRefusal> RequireLength(std::string_view what, std::span<const std::uint8_t> bytes,
                                         std::size_t size);

// The first refusal of a list of checks made in order, if any.
std::optional<CardRefusal> FirstRefusal(std::initializer_list<std::optional<CardRefusal>> checks);

// The parts one after another.
Bytes Joined(std::initializer_list<std::span<const std::uint8_t>> parts);

// CBC encryption of `data` (whole blocks, within the cipher's CBC limit)
// from `iv` (one block) through the block export, each block's output a
// step; checked against the CBC export, a disagreement noted in `result`.
// Refused: an IV that is not one block or data that is not whole blocks
// (before any step), an export that does not report done (the steps so far
// in `result`).
OrRefusal<Bytes> AppendCbcEncrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix);

// CBC decryption likewise; the check encrypts the plain text again through
// the CBC export, which must give `data` back.
OrRefusal<Bytes> AppendCbcDecrypt(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                  std::span<const std::uint8_t> data, CardResult& result,
                                  std::string_view prefix);

// Each byte's lowest bit set so that the byte has an odd number of one bits,
// as DES keys carry it.
Bytes WithOddParity(std::span<const std::uint8_t> key);

} // namespace orvelin::card

#endif
