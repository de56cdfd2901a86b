// A word-valued option ("--cipher aes") read from its table in app/card: the
// word, in any case, is read once into the table's value; any other word is
// wrong usage that names the words allowed. Its help lists each word with
// the table's phrase.
#ifndef TAVIK_WORD_OPTION_H
#define TAVIK_WORD_OPTION_H

#include "operation_inputs.h"
#include "option_words.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace orvelin::cli {

// The word typed, in any case, becomes the table's spelling of it; any other
// is refused, naming the words allowed.
inline CLI::Validator WordValidator(std::vector<card::InputWord> words) {
    const auto read = [words = std::move(words)](std::string& typed) -> std::string {
        const card::InputWord* entry = card::FindInputWord(words, typed);
        if (entry == nullptr) {
            return card::NotOffered(typed, words);
        }
        typed = entry->word;
        return {};
    };
    return CLI::Validator(read, "");
}

// --NAME WORD, offering the words of `table` whose value `offered` keeps:
// `take` is called with the value as soon as the option is parsed. `lead`
// starts the help, the words and their phrases follow.
template <typename Value>
CLI::Option* AddWordOption(
    CLI::App& app, const std::string& name, card::OptionWords<Value> table,
    std::function<void(Value)> take, const std::string& lead,
    const std::function<bool(Value)>& offered = [](Value) { return true; }) {
    std::vector<card::InputWord> words = card::WordsOf(table, offered);
    const auto by_word = [table, take = std::move(take)](const std::string& word) {
        if (const auto* entry = card::FindWord(table, word)) {
            take(entry->value);
        }
    };
    return app.add_option_function<std::string>(name, by_word, card::WordHelp(lead, words))
        ->type_name(card::JoinedWords(words, "|"))
        ->transform(WordValidator(std::move(words)));
}

} // namespace orvelin::cli

#endif
