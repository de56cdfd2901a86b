// CMAC (NIST SP 800-38B) step by step through the block exports, chained
// from an IV as the library's CMAC exports chain it, and checked against
// those exports.
#ifndef ORVELIN_CARD_CMAC_STEPS_H
#define ORVELIN_CARD_CMAC_STEPS_H

#include "block_cipher.h"

#include <string_view>

namespace orvelin::card {

// L = E(zero block); K1 = double(L); K2 = double(K1).
struct CmacSubkeys {
    Bytes l;
    Bytes k1;
    Bytes k2;
};

// Refused: a block export that fails.
OrRefusal<CmacSubkeys> DeriveCmacSubkeys(const BlockCipher& cipher);

// Shift left one bit; when a bit falls out of the top, XOR the block size's
// constant into the last byte (0x87 for 16-byte blocks, 0x1B for 8-byte).
Bytes DoubleBlock(std::span<const std::uint8_t> block);

// The full CMAC block of `message` chained from `iv` (one block). Its steps
// (L, K1, K2, the IV, each block but the last as CBC encryption steps, the
// last block before and after padding and masking, the chaining value it
// meets, their XOR, the MAC) are appended to `result`, each label after
// `prefix` (step_labels.h). The MAC is checked against the cipher's CMAC
// export; a disagreement sets result.check_failure naming both routes.
// Refused, with `result` untouched: single DES (the library has no CMAC for
// it), an IV that is not one block, a message over CmacLimit(). Refused
// later, the steps so far in `result`: an export that does not report done.
OrRefusal<Bytes> AppendCmac(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                            std::span<const std::uint8_t> message, CardResult& result,
                            std::string_view prefix = {});

// Which subkey masks the last block when the caller has padded the message
// itself to whole blocks (as NXP AN10922 does): K2 when padding was added, K1
// when the data filled its blocks.
enum class LastBlockSubkey { k1, k2 };

// The CMAC chain over `blocks` (a whole, non-zero number of blocks) from
// `iv`, masking the last block with `subkey`; steps as AppendCmac's. No
// whole-message check: the caller knows which export route matches. Refused
// as AppendCmac, and for data that is not whole blocks.
OrRefusal<Bytes> AppendCmacOfBlocks(const BlockCipher& cipher, std::span<const std::uint8_t> iv,
                                    std::span<const std::uint8_t> blocks, LastBlockSubkey subkey,
                                    CardResult& result, std::string_view prefix = {});

} // namespace orvelin::card

#endif
