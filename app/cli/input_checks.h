// The window's checks on a key, an IV and data, in the window's order, on
// arguments that may be longer than the window's fields.
#ifndef TAVIK_INPUT_CHECKS_H
#define TAVIK_INPUT_CHECKS_H

#include "field_reading.h"
#include "hex_argument.h"

#include <initializer_list>
#include <optional>
#include <variant>

namespace orvelin::cli {

struct CheckedInput {
    Bytes key;
    Bytes iv; // one block: as given, or zeros where no IV was given
    Bytes data;
};

struct InputRules {
    const Algorithm* algorithm = nullptr;
    bool whole_blocks = false;
    std::size_t data_limit = 0;
};

// As orvelin::ReadChecked: the key's length, the IV's length (when one is
// given), hex digits in key, data and IV, their sizes (the key within the
// window's field, the data within rules.data_limit), the single-DES key of
// at least 8 bytes, and whole blocks. The first failed check refuses.
std::variant<Refusal, CheckedInput> CheckInput(const HexArgument& key, const HexArgument* iv,
                                               const HexArgument& data, const InputRules& rules);

// For the commands without a key: a character that is not a hex digit, then
// an argument over `limit` bytes, in the order given.
std::optional<Refusal> RefuseUnreadableOrLong(std::initializer_list<const HexArgument*> arguments,
                                              std::size_t limit);

} // namespace orvelin::cli

#endif
