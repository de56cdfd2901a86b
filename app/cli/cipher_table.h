// The ciphers tavik names, each with the window's rules for its fields and
// the largest message each of the library's exports takes.
#ifndef TAVIK_CIPHER_TABLE_H
#define TAVIK_CIPHER_TABLE_H

#include "field_reading.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin::cli {

enum class Cipher { des, two_key_tdes, three_key_tdes, aes };

// The DES-family exports take any 32-bit length; tavik holds them, and the
// commands without an export, to a sane size.
inline constexpr std::size_t kDataLimit = 64 * 1024;

struct CipherFacts {
    Cipher cipher;
    std::string_view name; // as typed after --cipher
    std::string_view key;  // its key, for --help
    const Algorithm* algorithm;
    std::size_t data_limit; // encrypt and decrypt
    std::size_t cmac_limit; // 0 where the library has no CMAC
};

const CipherFacts& FactsOf(Cipher cipher);

// The ciphers --cipher offers, in the window's order: every one, or those
// with a CMAC.
std::vector<CipherFacts> AllCiphers();
std::vector<CipherFacts> CmacCiphers();

} // namespace orvelin::cli

#endif
