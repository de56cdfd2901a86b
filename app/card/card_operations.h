// Every card-practice operation described once, as data: its family, its
// words on tavik's command line, its inputs (each named, labelled, explained
// and ruled as tavik reads it) and the function that runs it. tavik's card
// commands and the window's card-practice dialog are both built from this
// table, so that they read the same inputs, apply the same rules, print the
// same lines and never drift apart. Free of any toolkit and of CLI11.
#ifndef ORVELIN_CARD_OPERATIONS_H
#define ORVELIN_CARD_OPERATIONS_H

#include "card_result.h"
#include "operations.h"
#include "tavik_alg_binding.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin::card {

// hex: bytes as hex text (spaces allowed, either case, no lone last digit);
// digits: decimal text (--pan, --psn, --counter, --length); word: one word
// of a table (any case); flag: given or not.
enum class InputKind { hex, digits, word, flag };

// One word a word input offers: as tavik documents it (lower case), and a
// phrase that explains it.
struct InputWord {
    std::string_view word;
    std::string_view help;
};

struct OperationInput {
    // "--key", "--host-challenge"; a positional has no dashes: "DATA", "APDU".
    std::string_view option;
    // The option in words, as a dialog labels it: "Key", "Host challenge".
    std::string_view label;
    InputKind kind;
    // tavik's help text for the option (a word input's lists its words).
    std::string help;
    bool required = false;
    // The placeholder tavik's help shows for the value: "HEX", "N", "DIGITS".
    std::string_view value_name = {};
    // hex: how a refusal names it and the most bytes it may hold.
    FieldSpec rule = {};
    // word: the words offered, in display order, and the one taken when the
    // input is not given ("" when there is none).
    std::vector<InputWord> words = {};
    std::string_view default_word = {};

    bool positional() const { return !option.starts_with('-'); }
};

// An input as RunCardOperation read it, handed to the operation's function.
struct InputValue {
    bool given = false;
    Bytes bytes;      // hex: the bytes read
    std::string text; // digits: the digits; word: the word as the table spells it
                      // (the default when not given); flag: "1" when given
};

struct CardOperation;
using RunInputs = std::span<const InputValue>;
// Runs an operation over its inputs, read and in `inputs` order; `library`
// is null only for an operation that does not use it.
using RunFunction = CardOutcome (*)(const TavikAlgBinding* library, RunInputs inputs);

struct CardOperation {
    std::string_view family; // "ISO/IEC 9797-1", "DESFire EV2", "GlobalPlatform", "EMV", ...
    std::string_view title;  // the chooser's words: "ISO/IEC 9797-1 MAC", "SCP02 C-MAC", ...
    std::vector<std::string_view> command; // {"mac"}, {"gp", "scp02-cmac"}, {"crc16"}
    std::vector<std::string_view> fixed;   // arguments always given: {"--type", "b"} for CRC_B
    std::string_view summary;              // tavik's one-line help
    std::string details;                   // tavik's help below the options
    std::vector<OperationInput> inputs;    // in tavik's order
    bool traced = true;                    // takes --trace
    bool uses_library = true;
    RunFunction run = nullptr;
};

// Every card-practice operation, in the order the chooser offers them.
std::span<const CardOperation> CardOperations();

// The operation whose command words (and fixed arguments) are these, or null.
const CardOperation* FindCardOperation(std::span<const std::string_view> words);

// One text per input, in `inputs` order, as typed ("" = not given; a flag
// is "" or "1"). A required hex input given as "" reads as no bytes.
using InputTexts = std::vector<std::string>;

// Reads every input by tavik's rules (hex: ReadBytes with odd digits
// refused; words: the word table, any case; digits; flags), applies the
// operation's rules between inputs, and runs it: a refusal (with its steps
// when it refused late), or the result with its steps. A refusal of usage
// (a missing input, a word not offered, options that do not go together) is
// marked so: tavik exits with status 2 for it, 1 for any other.
// `library` may be null when !uses_library.
CardOutcome RunCardOperation(const CardOperation& operation, const TavikAlgBinding* library,
                             const InputTexts& texts);

// Whether a refusal is one of usage (tavik's status 2).
bool IsUsageRefusal(const CardRefusal& refusal);

// The tavik command line giving this answer: "tavik gp scp02-cmac --key
// 404142434445464748494A4B4C4D4E4F 8482000010", inputs not given left out,
// values quoted only when they need it (spaces...), "--trace" when asked.
std::string CommandLine(const CardOperation& operation, const InputTexts& texts, bool trace);

// An operation's first published example: its source (the document and
// section, from the '#' comment above the record), its input texts and the
// lines tavik prints for it.
struct OperationExample {
    std::string source;
    InputTexts texts;
    std::vector<std::string> printed;
};
std::optional<OperationExample> FirstExample(const CardOperation& operation);

} // namespace orvelin::card

#endif
