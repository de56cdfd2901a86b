// The layout of a fuzz input for the cipher library, shared by the targets
// that decode it and the seed maker that writes it:
//   byte 0      the export, modulo their number, in binding order
//   byte 1      the `mode` byte
//   byte 2      a variation byte the checks draw choices from
//   bytes 3-6   the length word, little-endian
//   then        the key and the IV, each as long as the export takes
//   the rest    the data
// Missing bytes read as zero, so every input decodes to a call.
#ifndef ORVELIN_FUZZ_CIPHER_CASE_H
#define ORVELIN_FUZZ_CIPHER_CASE_H

#include "tavik_alg.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvelin::fuzz {

using Bytes = std::vector<std::uint8_t>;

// The library's exports, in the order of its one list of them.
enum class Export : std::uint8_t {
#define ORVELIN_FUZZ_EXPORT_ENTRY(name) name,
    TAVIK_ALG_EXPORTS(ORVELIN_FUZZ_EXPORT_ENTRY)
#undef ORVELIN_FUZZ_EXPORT_ENTRY
        count
};

struct CipherCase {
    Export function = Export::lib_ver;
    std::uint8_t mode = 0;
    std::uint8_t variation = 0;
    std::uint32_t length = 0;
    // Each on its own allocation of exactly its size.
    Bytes key;
    Bytes iv;
    Bytes data;
};

// The raw key bytes a case carries: AES exports get a 16-byte key that the
// checks expand themselves.
std::size_t KeySize(Export function);
std::size_t IvSize(Export function);

CipherCase Decode(std::span<const std::uint8_t> input);
Bytes Encode(const CipherCase& c);

// The first `count` bytes of the data, zero-padded: a whole block.
Bytes LeadingBytes(const Bytes& data, std::size_t count);

// The two-key triple-DES key K1|K2 as the three-key K1|K2|K1.
Bytes AsThreeKeys(const Bytes& two_keys);

// The `length` a call passes and the buffer it hands over. Within the
// contract the buffer holds exactly `length` bytes, the length word cut down
// to the data there is; outside it the length word goes as it is beside all
// the data, so that any access the length implies overruns the buffer.
template <typename Length>
struct Message {
    Length length = 0;
    Bytes bytes;
    bool in_contract = true;
};

// The DES-family ECB and CBC forms: a multiple of 8 is in the contract.
Message<std::uint32_t> DesFamilyMessage(const CipherCase& c);
// The CMACs: 0 to max_length; the low 16 bits of the length word, signed.
Message<std::int16_t> CmacMessage(const CipherCase& c, std::int16_t max_length);
// AES CBC: any 16-bit length, tail included.
Message<std::uint16_t> AesCbcMessage(const CipherCase& c);

} // namespace orvelin::fuzz

#endif
