// What every card-practice operation returns: a refusal (one clear message,
// and the steps computed before it, if any), or its values with the steps
// that led to them. The steps are what a trace prints and what a dialog will
// show; no operation prints.
#ifndef ORVELIN_CARD_RESULT_H
#define ORVELIN_CARD_RESULT_H

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace orvelin::card {

using Bytes = std::vector<std::uint8_t>;

// A labelled value: one step of the working, or one value of the result
// ("S-ENC", "SesAuthMACKey"; a single-valued result may leave its label empty).
struct Labelled {
    std::string label;
    Bytes bytes;
};

struct CardRefusal {
    std::string message;
    // Empty when the input was refused before anything was computed. A
    // refusal that comes later (padding that fails its check once decrypted,
    // a library call that does not report done) keeps the steps up to it, so
    // that a trace shows what the operator needs to see.
    std::vector<Labelled> steps{};
    // Set when the input is wrong usage rather than wrong values: a missing
    // input, a word not offered, options that do not go together.
    bool usage = false;
};

struct CardResult {
    std::vector<Labelled> values;
    std::vector<Labelled> steps;
    // Set when the step-by-step route and the library's whole-message export
    // disagree: the message names both routes. A result that fails its own
    // check is still returned, so that the trace shows where it went wrong.
    std::optional<std::string> check_failure;
    // The whole-message exports the steps were checked against, each once,
    // in the order the checks ran ("AES_CMAC"); empty when nothing was.
    std::string checked_with;

    void Step(std::string label, Bytes bytes) {
        steps.push_back({std::move(label), std::move(bytes)});
    }
    void Value(std::string label, Bytes bytes) {
        values.push_back({std::move(label), std::move(bytes)});
    }
};

using CardOutcome = std::variant<CardRefusal, CardResult>;

// A part of an operation: its value, or why it could not be had.
template <typename Value>
using OrRefusal = std::variant<CardRefusal, Value>;

template <typename Value>
const CardRefusal* RefusalIn(const OrRefusal<Value>& outcome) {
    return std::get_if<CardRefusal>(&outcome);
}

// A refusal met after `result` had recorded steps: they go with it, ahead of
// any the refusal holds.
inline CardRefusal LateRefusal(CardResult&& result, CardRefusal refusal) {
    refusal.steps.insert(refusal.steps.begin(), std::make_move_iterator(result.steps.begin()),
                         std::make_move_iterator(result.steps.end()));
    return refusal;
}

} // namespace orvelin::card

#endif
