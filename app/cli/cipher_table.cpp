#include "cipher_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <limits>

namespace orvelin::cli {
namespace {

// AES_EncryptCBC and AES_DecryptCBC take a 16-bit length: their whole blocks.
constexpr std::size_t kAesDataLimit =
    std::numeric_limits<std::uint16_t>::max() / TAVIK_AES_BLOCK_SIZE * TAVIK_AES_BLOCK_SIZE;

constexpr std::array<CipherFacts, 4> kCiphers = {{
    {Cipher::des, "des", "8 bytes (of a longer key, the first 8)", &kDes, kDataLimit, 0},
    {Cipher::two_key_tdes, "2tdes", "16 bytes, K1|K2", &kTwoKeyTdes, kDataLimit,
     TAVIK_TDES_CMAC_MAX_LENGTH},
    {Cipher::three_key_tdes, "3tdes", "24 bytes, K1|K2|K3", &kThreeKeyTdes, kDataLimit,
     TAVIK_TDES_CMAC_MAX_LENGTH},
    {Cipher::aes, "aes", "AES-128, 16 bytes", &kAes, kAesDataLimit, TAVIK_AES_CMAC_MAX_LENGTH},
}};

} // namespace

const CipherFacts& FactsOf(Cipher cipher) {
    return kCiphers.at(static_cast<std::size_t>(cipher));
}

std::vector<CipherFacts> AllCiphers() {
    return {kCiphers.begin(), kCiphers.end()};
}

std::vector<CipherFacts> CmacCiphers() {
    std::vector<CipherFacts> ciphers;
    std::copy_if(kCiphers.begin(), kCiphers.end(), std::back_inserter(ciphers),
                 [](const CipherFacts& facts) { return facts.cmac_limit != 0; });
    return ciphers;
}

} // namespace orvelin::cli
