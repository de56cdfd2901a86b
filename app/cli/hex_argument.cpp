#include "hex_argument.h"

#include <algorithm>
#include <iterator>

namespace orvelin::cli {
namespace {

std::string StandardInputText(std::istream& input) {
    std::string text{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return text;
}

} // namespace

Bytes HexArgument::ToBytes() const {
    Bytes bytes(count());
    ReadHex(text, bytes);
    return bytes;
}

HexArgument ReadArgument(std::string_view label, const std::string& argument, std::istream& input) {
    HexArgument read{label, argument, {}};
    if (argument == kStandardInputArgument) {
        read.text = StandardInputText(input);
    }
    read.reading = ReadHex(read.text, {});
    return read;
}

} // namespace orvelin::cli
