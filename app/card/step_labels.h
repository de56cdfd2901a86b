// The labels of the steps the operations record.
#ifndef ORVELIN_CARD_STEP_LABELS_H
#define ORVELIN_CARD_STEP_LABELS_H

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

// Keeps the first failure: a later check does not hide an earlier one.
inline void NoteCheckFailure(CardResult& result, std::string message) {
    if (!result.check_failure) {
        result.check_failure = std::move(message);
    }
}

} // namespace orvelin::card

#endif
