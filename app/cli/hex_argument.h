// A hex argument read by the window's rule (orvelin::ReadHex): its text as
// typed, or standard input's text when the argument is "-".
#ifndef TAVIK_HEX_ARGUMENT_H
#define TAVIK_HEX_ARGUMENT_H

#include "hex_text.h"
#include "operations.h"

#include <istream>
#include <string>
#include <string_view>

namespace orvelin::cli {

inline constexpr std::string_view kStandardInputArgument = "-";

struct HexArgument {
    std::string_view label; // names it in refusals, as the window names its fields
    std::string text;
    HexReading reading; // what the rule finds, counted before any byte is kept

    std::size_t count() const { return reading.count; }
    bool readable() const { return reading.only_hex_digits; }
    // All count() bytes, in a buffer of that size.
    Bytes ToBytes() const;
};

// "-" takes the whole of `input`; its line breaks and tabs read as spaces, so
// that a file or `echo` can feed it.
HexArgument ReadArgument(std::string_view label, const std::string& argument, std::istream& input);

} // namespace orvelin::cli

#endif
