// What every card-practice operation returns: a refusal (one clear message,
// nothing else), or its values with the steps that led to them. The steps are
// what a trace prints and what a dialog will show; no operation prints.
#ifndef ORVELIN_CARD_RESULT_H
#define ORVELIN_CARD_RESULT_H

#include <cstdint>
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

} // namespace orvelin::card

#endif
