// Which ciphers a CAVP record's keys fit, each with its key as the library
// takes it.
#ifndef TAVIK_CAVP_KEYS_H
#define TAVIK_CAVP_KEYS_H

#include "cavp_records.h"
#include "cipher_table.h"
#include "operations.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace orvelin::cli {

struct KeyedCipher {
    Cipher cipher;
    Bytes key;
};

// Why a record's keys give no cipher: keys the library does not take (out of
// its contract), or keys that cannot be read.
struct KeyProblem {
    bool out_of_contract;
    std::string reason;
};
using KeyedCiphersOrProblem = std::variant<KeyProblem, std::vector<KeyedCipher>>;

// A field's bytes; none when it is missing or not hex.
std::optional<Bytes> HexField(const CavpRecord& record, std::string_view name);

// KEY of 16 bytes: AES. KEYs, or KEY1..3 all equal: single DES, two-key and
// three-key triple DES; KEY3 = KEY1: two-key and three-key; otherwise
// three-key. Single DES has no CMAC, so `for_cmac` leaves it out.
KeyedCiphersOrProblem KeyedCiphers(const CavpRecord& record, bool for_cmac);

} // namespace orvelin::cli

#endif
