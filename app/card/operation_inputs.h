// What the operations' table is written with: an input of each kind, the
// words of a word input from its table in option_words.h, and reading an
// input's value back inside the function that runs an operation.
#ifndef ORVELIN_CARD_OPERATION_INPUTS_H
#define ORVELIN_CARD_OPERATION_INPUTS_H

#include "card_operations.h"
#include "option_words.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin::card {

// The help most operations share, tavik's and the dialog's.
inline constexpr std::string_view kKeyHelp = "The key in hex";
inline constexpr std::string_view kDataHelp =
    "The data in hex; spaces allowed (quote them), either case; - reads it from standard input, "
    "where line breaks count as spaces";

// The words of `table` whose value `offered` keeps, in the table's order.
template <typename Value>
std::vector<InputWord> WordsOf(
    OptionWords<Value> table,
    const std::function<bool(Value)>& offered = [](Value) { return true; }) {
    std::vector<InputWord> words;
    for (const OptionWord<Value>& entry : table) {
        if (offered(entry.value)) {
            words.push_back({.word = entry.word, .help = entry.help});
        }
    }
    return words;
}

// The words joined by `separator`: "des, 2tdes" or "des|2tdes".
std::string JoinedWords(std::span<const InputWord> words, std::string_view separator);
// `lead`, then each word with its phrase: "The cipher. des: single DES...; aes: ...".
std::string WordHelp(std::string_view lead, std::span<const InputWord> words);
// The word among `words` that `typed` spells in any case, or null.
const InputWord* FindInputWord(std::span<const InputWord> words, std::string_view typed);
// "'typed' is not allowed; the values allowed: 1, 2": for a word not offered.
std::string NotOffered(std::string_view typed, std::span<const InputWord> words);

// The inputs of each kind, required unless `required` says otherwise.
OperationInput HexInput(std::string_view option, std::string_view label, std::string_view help,
                        FieldSpec rule, bool required = true);
OperationInput DigitsInput(std::string_view option, std::string_view label, std::string_view help,
                           std::string_view value_name, bool required = true);
OperationInput FlagInput(std::string_view option, std::string_view label, std::string_view help);
// A word input: required when it has no default word.
OperationInput WordInput(std::string_view option, std::string_view label, std::string help,
                         std::vector<InputWord> words, std::string_view default_word = {});

// A refusal of usage, which tavik ends with status 2.
CardRefusal UsageRefusal(std::string message);

// The value of a word input that was read against `table`'s words; nullopt
// when it was not given and has no default.
template <typename Value>
std::optional<Value> WordValue(OptionWords<Value> table, const InputValue& input) {
    const auto* entry = FindWord(table, input.text);
    return entry == nullptr ? std::nullopt : std::optional<Value>(entry->value);
}

// The digits input `option` as a number: nullopt when not given; refused as
// usage when its text is no decimal number. A negative number, or one too
// large, reads as the largest, which the operation refuses as out of range.
OrRefusal<std::optional<std::uint64_t>> NumberValue(std::string_view option,
                                                    const InputValue& input);
// The same as a length in bytes: past the largest size, the largest size.
OrRefusal<std::optional<std::size_t>> LengthValue(std::string_view option, const InputValue& input);

} // namespace orvelin::card

#endif
