// The labels of the steps every trace records: the card operations' and
// tavik's encrypt, decrypt and cmac alike, one set for all.
#ifndef ORVELIN_CARD_STEP_LABELS_H
#define ORVELIN_CARD_STEP_LABELS_H

#include "card_messages.h"
#include "card_result.h"

#include <string>
#include <string_view>

namespace orvelin::card {

namespace labels {

// Of each block, after its number ("block 2 input"): ECB shows the input and
// the output; CBC encryption also the chaining value and the input XOR it,
// which the block export takes; CBC decryption the block export's answer,
// then the chaining value.
inline constexpr std::string_view kInput = "input";
inline constexpr std::string_view kChaining = "chaining";
inline constexpr std::string_view kXor = "XOR";
inline constexpr std::string_view kDecrypted = "decrypted";
inline constexpr std::string_view kOutput = "output";

// A chain's start, then CMAC's subkeys and its last block: as it came, padded
// (when short) and masked, the chaining value it meets, their XOR, and the
// MAC, its encryption.
inline constexpr std::string_view kIv = "IV";
inline constexpr std::string_view kL = "L";
inline constexpr std::string_view kK1 = "K1";
inline constexpr std::string_view kK2 = "K2";
inline constexpr std::string_view kLastBlock = "last block";
inline constexpr std::string_view kLastPadded = "last padded";
inline constexpr std::string_view kLastMaskedK1 = "last masked K1";
inline constexpr std::string_view kLastMaskedK2 = "last masked K2";
inline constexpr std::string_view kLastChaining = "last chaining";
inline constexpr std::string_view kLastXor = "last XOR";
inline constexpr std::string_view kMac = "MAC";

} // namespace labels

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
