// Which typed characters a hex field lets through.
#ifndef ORVELIN_TYPING_FILTER_H
#define ORVELIN_TYPING_FILTER_H

namespace orvelin {

// While the field takes Ctrl to be held every character passes (paste, copy,
// cut, undo among them). Otherwise only Backspace, the hex digits, and '%',
// '.' and the apostrophe pass; anything else, the space included, is dropped.
bool PassesTypingFilter(bool ctrl_held, char32_t character);

} // namespace orvelin

#endif
