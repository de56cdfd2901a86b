#include "operation_inputs.h"

#include <algorithm>
#include <limits>

namespace orvelin::card {

std::string JoinedWords(std::span<const InputWord> words, std::string_view separator) {
    std::string joined;
    for (const InputWord& entry : words) {
        joined.append(joined.empty() ? "" : separator).append(entry.word);
    }
    return joined;
}

std::string WordHelp(std::string_view lead, std::span<const InputWord> words) {
    std::string help = std::string(lead) + ".";
    for (const InputWord& entry : words) {
        help.append(&entry == words.data() ? " " : "; ").append(entry.word).append(": ");
        help.append(entry.help);
    }
    return help;
}

const InputWord* FindInputWord(std::span<const InputWord> words, std::string_view typed) {
    const auto found = std::ranges::find_if(
        words, [typed](const InputWord& entry) { return SameWord(typed, entry.word); });
    return found == words.end() ? nullptr : &*found;
}

std::string NotOffered(std::string_view typed, std::span<const InputWord> words) {
    return "'" + std::string(typed) +
           "' is not allowed; the values allowed: " + JoinedWords(words, ", ");
}

OperationInput HexInput(std::string_view option, std::string_view label, std::string_view help,
                        FieldSpec rule, bool required) {
    return {.option = option,
            .label = label,
            .kind = InputKind::hex,
            .help = std::string(help),
            .required = required,
            .value_name = "HEX",
            .rule = rule};
}

OperationInput DigitsInput(std::string_view option, std::string_view label,
                           std::string_view help, std::string_view value_name, bool required) {
    return {.option = option,
            .label = label,
            .kind = InputKind::digits,
            .help = std::string(help),
            .required = required,
            .value_name = value_name};
}

OperationInput FlagInput(std::string_view option, std::string_view label, std::string_view help) {
    return {.option = option,
            .label = label,
            .kind = InputKind::flag,
            .help = std::string(help),
            .required = false};
}

OperationInput WordInput(std::string_view option, std::string_view label, std::string help,
                         std::vector<InputWord> words, std::string_view default_word) {
    return {.option = option,
            .label = label,
            .kind = InputKind::word,
            .help = std::move(help),
            .required = default_word.empty(),
            .value_name = {},
            .rule = {},
            .words = std::move(words),
            .default_word = default_word};
}

CardRefusal UsageRefusal(std::string message) {
    return {.message = std::move(message), .steps = {}, .usage = true};
}

OrRefusal<std::optional<std::uint64_t>> NumberValue(std::string_view option,
                                                    const InputValue& input) {
    if (!input.given) {
        return std::optional<std::uint64_t>{};
    }
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t number = 0;
    for (const char c : input.text) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (c < '0' || c > '9' || number > (kMost - digit) / 10) {
            return UsageRefusal(std::string(option) + " takes a decimal number, not '" +
                                input.text + "'.");
        }
        number = number * 10 + digit;
    }
    return std::optional<std::uint64_t>{number};
}

} // namespace orvelin::card
