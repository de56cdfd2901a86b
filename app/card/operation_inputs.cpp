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

OperationInput DigitsInput(std::string_view option, std::string_view label, std::string_view help,
                           std::string_view value_name, bool required) {
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
    const std::string_view digits =
        std::string_view(input.text).substr(input.text.starts_with('-') ? 1 : 0);
    if (digits.empty() ||
        !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
        return UsageRefusal(std::string(option) + " takes a decimal number, not '" + input.text +
                            "'.");
    }
    // A negative number or one past the largest is out of every range, and
    // the operation's own range check names that range.
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t number = input.text.starts_with('-') ? kMost : 0;
    for (const char c : digits) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        number = number > (kMost - digit) / 10 ? kMost : number * 10 + digit;
    }
    return std::optional<std::uint64_t>{number};
}

OrRefusal<std::optional<std::size_t>> LengthValue(std::string_view option,
                                                  const InputValue& input) {
    auto number = NumberValue(option, input);
    if (CardRefusal* refusal = std::get_if<CardRefusal>(&number)) {
        return std::move(*refusal);
    }
    const std::optional<std::uint64_t> read = std::get<std::optional<std::uint64_t>>(number);
    if (!read) {
        return std::optional<std::size_t>{};
    }
    constexpr std::uint64_t kLargest = std::numeric_limits<std::size_t>::max();
    return std::optional<std::size_t>{static_cast<std::size_t>(std::min(*read, kLargest))};
}

} // namespace orvelin::card
