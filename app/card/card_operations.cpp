#include "card_operations.h"

#include "card_messages.h"
#include "field_reading.h"
#include "operation_families.h"
#include "operation_inputs.h"

#include <algorithm>

namespace orvelin::card {
namespace {

std::vector<CardOperation> JoinedFamilies() {
    std::vector<CardOperation> operations = MacAndKeyOperations();
    std::ranges::move(SecureChannelOperations(), std::back_inserter(operations));
    return operations;
}

std::string Required(std::string_view option) {
    return std::string(option) + " is required.";
}

// An input's text read by tavik's rules, or its refusal.
OrRefusal<InputValue> ReadInput(const OperationInput& input, const std::string& text) {
    InputValue value{.given = !text.empty(), .bytes = {}, .text = text};
    switch (input.kind) {
    case InputKind::hex: {
        value.given = value.given || input.required;
        auto read = ReadBytes(text, input.rule, OddDigits::refused);
        if (const auto* refusal = std::get_if<Refusal>(&read)) {
            return CardRefusal{.message = refusal->message};
        }
        value.bytes = std::get<Bytes>(std::move(read));
        break;
    }
    case InputKind::word: {
        const std::string_view typed = value.given ? std::string_view(text) : input.default_word;
        const InputWord* word = FindInputWord(input.words, typed);
        if (!typed.empty() && word == nullptr) {
            return UsageRefusal(std::string(input.option) + ": " + NotOffered(typed, input.words));
        }
        value.text = word == nullptr ? std::string() : std::string(word->word);
        break;
    }
    case InputKind::digits:
    case InputKind::flag:
        break;
    }
    if (input.required && value.text.empty() && input.kind != InputKind::hex) {
        return UsageRefusal(Required(input.option));
    }
    return value;
}

} // namespace

std::span<const CardOperation> CardOperations() {
    static const std::vector<CardOperation> operations = JoinedFamilies();
    return operations;
}

const CardOperation* FindCardOperation(std::span<const std::string_view> words) {
    const auto found = std::ranges::find_if(CardOperations(), [words](const CardOperation& op) {
        std::vector<std::string_view> named = op.command;
        named.insert(named.end(), op.fixed.begin(), op.fixed.end());
        return std::ranges::equal(named, words);
    });
    return found == CardOperations().end() ? nullptr : &*found;
}

CardOutcome RunCardOperation(const CardOperation& operation, const TavikAlgBinding* library,
                             const InputTexts& texts) {
    if (texts.size() != operation.inputs.size()) {
        return UsageRefusal(messages::PreconditionBroken("one text for each input"));
    }
    if (operation.uses_library && library == nullptr) {
        return CardRefusal{.message = messages::PreconditionBroken("a bound library")};
    }
    std::vector<InputValue> values;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto read = ReadInput(operation.inputs[i], texts[i]);
        if (auto* refusal = std::get_if<CardRefusal>(&read)) {
            return std::move(*refusal);
        }
        values.push_back(std::get<InputValue>(std::move(read)));
    }
    return operation.run(library, values);
}

bool IsUsageRefusal(const CardRefusal& refusal) {
    return refusal.usage;
}

} // namespace orvelin::card
