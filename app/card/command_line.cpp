// The tavik command line that gives an operation's answer, as an operator
// would type it into a shell.
#include "card_operations.h"

#include <algorithm>

namespace orvelin::card {
namespace {

bool TypesAsIs(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           std::string_view("-_.,:/+=%@").find(c) != std::string_view::npos;
}

// Double quotes serve both POSIX shells and Windows for the usual case, hex
// with spaces; text a POSIX shell would expand inside them goes in single
// quotes, each single quote closed, escaped and reopened.
std::string Quoted(std::string_view value) {
    if (!value.empty() && std::ranges::all_of(value, TypesAsIs)) {
        return std::string(value);
    }
    if (value.find_first_of("\"$`\\!") == std::string_view::npos) {
        return "\"" + std::string(value) + "\"";
    }
    std::string quoted = "'";
    for (const char c : value) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::string CommandLine(const CardOperation& operation, const InputTexts& texts, bool trace) {
    std::string line = "tavik";
    const auto append = [&line](std::string_view word) { line.append(" ").append(word); };
    std::ranges::for_each(operation.command, append);
    std::ranges::for_each(operation.fixed, append);
    for (std::size_t i = 0; i < operation.inputs.size() && i < texts.size(); ++i) {
        const OperationInput& input = operation.inputs[i];
        const bool hex_required = input.kind == InputKind::hex && input.required;
        if (texts[i].empty() && !hex_required) {
            continue;
        }
        if (!input.positional()) {
            append(input.option);
        }
        if (input.kind != InputKind::flag) {
            append(Quoted(texts[i]));
        }
    }
    if (trace && operation.traced) {
        append("--trace");
    }
    return line;
}

} // namespace orvelin::card
