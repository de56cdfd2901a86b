// What the end-to-end scripts ask of the card-practice dialog (template 131)
// to drive it by keyboard, taken from the template and the operations'
// table: its caption, an operation's place in the chooser, and the Tab
// presses between two controls while that operation's rows are shown (the
// hidden rows take no focus). A control is named as the operator reads it:
// a button by its caption, a field, list or box by its label.
//   card caption | card index TITLE | card keys TITLE FROM TO
#ifndef ORVELIN_TESTS_CARD_DIALOG_KEYS_H
#define ORVELIN_TESTS_CARD_DIALOG_KEYS_H

#include <ostream>
#include <span>
#include <string_view>

namespace card_dialog_keys {

// The answer to the words after "card" on `out`, or a refusal on `err`
// after `tool`'s name; the exit status.
int Answer(std::span<const std::string_view> words, std::string_view tool, std::ostream& out,
           std::ostream& err);

} // namespace card_dialog_keys

#endif
