// The labels of the steps the operations record.
#ifndef ORVELIN_CARD_STEP_LABELS_H
#define ORVELIN_CARD_STEP_LABELS_H

#include "card_messages.h"
#include "card_result.h"

#include <string>
#include <string_view>

namespace orvelin::card {

// "<prefix> <label>", or the label alone without a prefix.
inline std::string StepLabel(std::string_view prefix, std::string_view label) {
    return prefix.empty() ? std::string(label) : std::string(prefix) + " " + std::string(label);
}

// "block 3 input": a step of the n-th block, counted from 1.
inline std::string BlockStep(std::size_t index, std::string_view step) {
    return "block " + std::to_string(index + 1) + " " + std::string(step);
}

// Records a check of the steps (`steps`) against the library's whole-message
// route (`exports`), and its failure when they disagree. The first failure is
// kept: a later check does not hide an earlier one.
inline void NoteCheck(CardResult& result, bool agree, std::string_view steps,
                      std::string_view exports) {
    if (result.checked_with.find(exports) == std::string::npos) {
        result.checked_with += (result.checked_with.empty() ? "" : ", ") + std::string(exports);
    }
    if (!agree && !result.check_failure) {
        result.check_failure = messages::RoutesDisagree(steps, exports);
    }
}

} // namespace orvelin::card

#endif
