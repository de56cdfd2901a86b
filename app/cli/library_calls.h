// A whole message through the library as the window sends it: the multi-block
// ECB export where there is one, else the block export block by block; the CBC
// exports; the CMAC exports. These are the answers a trace is checked against.
#ifndef TAVIK_LIBRARY_CALLS_H
#define TAVIK_LIBRARY_CALLS_H

#include "cipher_table.h"
#include "input_checks.h"
#include "tavik_alg_binding.h"

#include <string_view>

namespace orvelin::cli {

enum class Direction { encrypt, decrypt };

// The export a whole message goes through.
std::string_view CipherExportName(Cipher cipher, Direction direction, bool cbc);
std::string_view CmacExportName(Cipher cipher);

// `input` as CheckInput leaves it: a whole number of blocks within the
// cipher's data limit. Throws std::invalid_argument on anything else, so that
// no export is called outside its contract.
Bytes RunCipher(const TavikAlgBinding& library, Cipher cipher, Direction direction, bool cbc,
                const CheckedInput& input);

// The full MAC block of input.data, chained from input.iv; the message within
// the cipher's CMAC limit, or std::invalid_argument.
Bytes RunCmac(const TavikAlgBinding& library, Cipher cipher, const CheckedInput& input);

} // namespace orvelin::cli

#endif
