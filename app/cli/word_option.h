// A word-valued option ("--cipher aes") read from its table in app/card: the
// word, in any case, is read once into the table's value; any other word is
// wrong usage that names the words allowed. Its help lists each word with
// the table's phrase.
#ifndef TAVIK_WORD_OPTION_H
#define TAVIK_WORD_OPTION_H

#include "option_words.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace orvelin::cli {

// The words offered, joined by `separator`.
template <typename Value>
std::string JoinedWords(const std::vector<card::OptionWord<Value>>& words,
                        std::string_view separator) {
    std::string joined;
    for (const card::OptionWord<Value>& entry : words) {
        joined.append(joined.empty() ? "" : separator).append(entry.word);
    }
    return joined;
}

// --NAME WORD, offering the words of `table` whose value `offered` keeps:
// `take` is called with the value as soon as the option is parsed. `lead`
// starts the help, the words and their phrases follow.
template <typename Value>
CLI::Option* AddWordOption(
    CLI::App& app, const std::string& name, card::OptionWords<Value> table,
    std::function<void(Value)> take, const std::string& lead,
    const std::function<bool(Value)>& offered = [](Value) { return true; }) {
    std::vector<card::OptionWord<Value>> words;
    std::string help = lead + ".";
    for (const card::OptionWord<Value>& entry : table) {
        if (offered(entry.value)) {
            help.append(words.empty() ? " " : "; ").append(entry.word).append(": ");
            help.append(entry.help);
            words.push_back(entry);
        }
    }
    // The word becomes its place in `words`, which the callback reads.
    const auto read = [words](std::string& typed) -> std::string {
        const auto* entry = card::FindWord<Value>(words, typed);
        if (entry == nullptr) {
            return "'" + typed +
                   "' is not allowed; the values allowed: " + JoinedWords(words, ", ");
        }
        typed = std::to_string(entry - words.data());
        return {};
    };
    const auto by_place = [words, take = std::move(take)](std::size_t place) {
        take(words.at(place).value);
    };
    return app.add_option_function<std::size_t>(name, by_place, help)
        ->type_name(JoinedWords(words, "|"))
        ->transform(CLI::Validator(read, ""));
}

} // namespace orvelin::cli

#endif
