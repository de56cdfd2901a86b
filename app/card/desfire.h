// DESFire EV2 and NTAG 424 DNA secure messaging after AuthenticateEV2First
// (AES-128), as NXP's data sheets and application note AN12196 work it: the
// session keys from RndA and RndB, the truncated MAC of a command or a
// response, and the encryption of command or response data.
#ifndef ORVELIN_CARD_DESFIRE_H
#define ORVELIN_CARD_DESFIRE_H

#include "card_result.h"
#include "tavik_alg_binding.h"

#include <cstdint>
#include <span>

namespace orvelin::card {

enum class DesfireDirection { command, response };

// What one secure-messaging computation is keyed and numbered by.
struct DesfireChannel {
    // SesAuthMACKey for a MAC, SesAuthENCKey for the data; 16 bytes.
    std::span<const std::uint8_t> key;
    // The transaction identifier, 4 bytes.
    std::span<const std::uint8_t> ti;
    // CmdCtr, 0 to 65535. For a response it is the counter as it stands
    // after the command: one more than the command's.
    std::uint64_t counter = 0;
    DesfireDirection direction = DesfireDirection::command;
};

// SesAuthENCKey and SesAuthMACKey, in that order: the AES-CMAC under `key`
// of SV1 (A5 5A 00 01 00 80 ...) and SV2 (5A A5 ...), each followed by
// RndA[0..1], RndA[2..7] XOR RndB[0..5], RndB[6..15], RndA[8..15]. Steps:
// SV1, SV2 and both CMACs'. Refused: a key, RndA or RndB that is not 16 bytes.
CardOutcome DesfireSessionKeys(const TavikAlgBinding& library, std::span<const std::uint8_t> key,
                               std::span<const std::uint8_t> rnd_a,
                               std::span<const std::uint8_t> rnd_b);

// MACt (one value): bytes 1, 3, ..., 15 of the CMAC over code || CmdCtr
// (least significant byte first) || TI || data. `code` is the command code
// (or, for a response, the response code), one byte; `data` the command
// header and data as sent (or the response data). Steps: the MAC input, the
// CMAC's steps. Refused: the lengths above, a counter over 65535, data over
// what AES_CMAC takes.
CardOutcome DesfireMac(const TavikAlgBinding& library, const DesfireChannel& channel,
                       std::span<const std::uint8_t> code, std::span<const std::uint8_t> data);

// The data (one value) AES-128 CBC encrypted under SesAuthENCKey from the IV
// E(key, A5 5A || TI || CmdCtr || eight zero bytes) (5A A5 for a response),
// after padding method 2. Steps: the IV's input, the IV, the padded data,
// each block. Refused as DesfireMac, and for data over 32767 bytes.
CardOutcome DesfireEncrypt(const TavikAlgBinding& library, const DesfireChannel& channel,
                           std::span<const std::uint8_t> plain);

// The reverse: decrypted from the same IV, padding method 2 removed and
// checked. Refused as DesfireEncrypt, and for cipher text that is not a
// positive multiple of 16 bytes or whose padding is malformed.
CardOutcome DesfireDecrypt(const TavikAlgBinding& library, const DesfireChannel& channel,
                           std::span<const std::uint8_t> cipher_text);

} // namespace orvelin::card

#endif
