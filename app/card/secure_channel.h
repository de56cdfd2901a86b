// What the session-key and secure-messaging operations (DESFire EV2,
// GlobalPlatform SCP02 and SCP03, EMV) share: length checks that name the
// input, byte strings put together and odd parity; and, from chain_steps.h,
// CBC encryption and decryption block by block with their check against the
// library's CBC export.
#ifndef ORVELIN_CARD_SECURE_CHANNEL_H
#define ORVELIN_CARD_SECURE_CHANNEL_H

#include "block_cipher.h"
#include "chain_steps.h"

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

// Each byte's lowest bit set so that the byte has an odd number of one bits,
// as DES keys carry it.
Bytes WithOddParity(std::span<const std::uint8_t> key);

} // namespace orvelin::card

#endif
