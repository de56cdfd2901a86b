#include "outcome_text.h"

#include "hex_text.h"

#include <algorithm>

namespace orvelin::card {
namespace {

constexpr std::size_t kColumnGap = 2;

std::size_t LabelColumn(std::span<const Labelled> steps) {
    std::size_t longest = 0;
    for (const Labelled& step : steps) {
        if (!step.bytes.empty()) {
            longest = std::max(longest, step.label.size());
        }
    }
    return longest + kColumnGap;
}

void Append(std::vector<std::string>& lines, std::vector<std::string> more) {
    lines.insert(lines.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
}

} // namespace

std::string HexText(std::span<const std::uint8_t> bytes, bool spaced) {
    const std::string plain = WriteHex(bytes);
    if (!spaced) {
        return plain;
    }
    std::string text;
    for (std::size_t i = 0; i < plain.size(); i += 2) {
        text.append(i == 0 ? "" : " ").append(plain, i, 2);
    }
    return text;
}

std::vector<std::string> StepLines(std::span<const Labelled> steps, bool spaced) {
    const std::size_t column = LabelColumn(steps);
    std::vector<std::string> lines;
    for (const Labelled& step : steps) {
        std::string line = step.label;
        if (!step.bytes.empty()) {
            line.resize(column, ' ');
            line += HexText(step.bytes, spaced);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> ResultLines(const CardResult& result, bool spaced) {
    std::vector<std::string> lines;
    for (const Labelled& value : result.values) {
        lines.push_back(value.label + (value.label.empty() ? "" : " ") +
                        HexText(value.bytes, spaced));
    }
    return lines;
}

OutcomeText TextOf(const CardOutcome& outcome, const TextOptions& options) {
    OutcomeText text;
    if (const auto* refusal = std::get_if<CardRefusal>(&outcome)) {
        if (options.trace) {
            text.lines = StepLines(refusal->steps, options.spaced);
        }
        text.refusal = refusal->message;
        return text;
    }
    const auto& result = std::get<CardResult>(outcome);
    if (options.trace) {
        text.lines = StepLines(result.steps, options.spaced);
        if (!result.check_failure && !result.checked_with.empty()) {
            text.lines.push_back("check: equals " + result.checked_with);
        }
    }
    if (result.check_failure) {
        text.refusal = result.check_failure;
        return text;
    }
    Append(text.lines, ResultLines(result, options.spaced));
    return text;
}

} // namespace orvelin::card
