// How the card-practice dialog (template 131) shows an operation's inputs:
// hex and digits inputs take the field rows in order, word inputs the choice
// rows, flags the check boxes; and how a choice row's items map to the words
// tavik reads. Shared by the dialog's logic and the tools that drive it.
#ifndef ORVELIN_CARD_DIALOG_INPUTS_H
#define ORVELIN_CARD_DIALOG_INPUTS_H

#include "card_operations.h"

#include <string>
#include <vector>

namespace orvelin::card {

struct InputSlot {
    int control = 0; // the field, list or box; 0 when the rows ran out
    int label = 0;   // its label; a box is its own label (its caption)
};

// One slot per input, in the operation's order.
std::vector<InputSlot> SlotsOf(const CardOperation& operation);

// Every label, field, list and box of the rows, and whether `operation`
// uses it: the dialog shows exactly those.
struct RowControl {
    int id;
    bool used;
};
std::vector<RowControl> RowControlsOf(const CardOperation& operation);

// A word input's list: "word: phrase" per word, after a first item for "not
// given" when the input is optional and has no default.
std::vector<std::string> WordItems(const OperationInput& input);
// The item that shows `text` (a word in any case; "" shows the default).
int WordIndex(const OperationInput& input, const std::string& text);
// The text the item at `index` stands for. A list still on its default
// while `previous` was not given stays not given, so that the command line
// keeps to what the operator chose.
std::string WordText(const OperationInput& input, int index, const std::string& previous);

} // namespace orvelin::card

#endif
