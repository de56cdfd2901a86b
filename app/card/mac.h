// The MAC algorithms 1 and 3 of ISO/IEC 9797-1 (2011), clause 7: CBC-MAC
// over a chosen cipher, and the "retail MAC" (single DES chained under K, the
// last block decrypted under K' and encrypted under K again), each over data
// padded by one of the padding methods, from an IV (zero unless given).
#ifndef ORVELIN_CARD_MAC_H
#define ORVELIN_CARD_MAC_H

#include "block_cipher.h"
#include "padding.h"

#include <optional>
#include <string_view>

namespace orvelin::card {

enum class MacAlgorithm : std::uint8_t { cbc_mac = 1, retail = 3 };

struct MacRequest {
    MacAlgorithm algorithm = MacAlgorithm::cbc_mac;
    // Algorithm 1: the cipher (single DES when not given). Algorithm 3 is
    // single DES under a 16-byte key K || K' and takes none.
    std::optional<CipherModel> cipher = std::nullopt;
    PaddingMethod padding = PaddingMethod::zeros;
    std::span<const std::uint8_t> key = {};
    // One block, or empty for the zero block.
    std::span<const std::uint8_t> iv = {};
    std::span<const std::uint8_t> data = {};
    // The leftmost bytes kept, 4 to the block size; the whole block if not given.
    std::optional<std::size_t> length = std::nullopt;
};

// The MAC; steps (the padded data, each block's chaining, the final
// transformation of algorithm 3) appended to `result`, each label after
// `prefix`. Checked against the whole-message exports (algorithm 1: the CBC
// export, last block; algorithm 3: EnOrDecrypt_DES_CBC over all but the last
// block, then EnOrDecrypt_3DES with K || K' on the last); a disagreement sets
// result.check_failure. Refused, with `result` untouched: a key of the wrong
// length, an IV that is not one block, a cipher with algorithm 3, data over
// kMaxCardData, a length outside 4 to the block size. Refused later, the
// steps so far in `result`: an export that does not report done.
OrRefusal<Bytes> AppendMac(const TavikAlgBinding& library, const MacRequest& request,
                           CardResult& result, std::string_view prefix = {});

// The same as an outcome of its own: one value, the MAC.
CardOutcome Mac(const TavikAlgBinding& library, const MacRequest& request);

} // namespace orvelin::card

#endif
