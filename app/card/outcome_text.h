// The text of a card-practice outcome: the lines tavik prints and the
// window's card-practice dialog shows, made here once, free of any toolkit
// and of any stream.
#ifndef ORVELIN_CARD_OUTCOME_TEXT_H
#define ORVELIN_CARD_OUTCOME_TEXT_H

#include "card_result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvelin::card {

struct TextOptions {
    bool trace = false;  // the steps before the values
    bool spaced = false; // a space between the bytes of each hex value
};

// Upper-case hex.
std::string HexText(std::span<const std::uint8_t> bytes, bool spaced);

// One line per step: its label, then its value two spaces after the longest
// label among the steps that have a value, so every value starts in one
// column. A step without bytes is its label alone.
std::vector<std::string> StepLines(std::span<const Labelled> steps, bool spaced);

// One line per value: "LABEL HEX", or the hex alone for an unlabelled value.
std::vector<std::string> ResultLines(const CardResult& result, bool spaced);

struct OutcomeText {
    std::vector<std::string> lines;     // what is shown as the answer (standard output)
    std::optional<std::string> refusal; // a refusal's message (standard error), if any
};

// A refusal: with a trace, the steps it kept, then its message. A result:
// with a trace, its steps and "check: equals <exports>" when the check ran
// and agreed; then its values, or its check failure as the refusal.
OutcomeText TextOf(const CardOutcome& outcome, const TextOptions& options);

} // namespace orvelin::card

#endif
