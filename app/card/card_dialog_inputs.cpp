#include "card_dialog_inputs.h"

#include "option_words.h"
#include "resource.h"

#include <algorithm>
#include <span>

namespace orvelin::card {
namespace {

constexpr std::string_view kNotGiven = "(not given)";

// The rows of one kind, taken in template order.
struct Rows {
    std::span<const int> controls;
    std::span<const int> labels;
    std::size_t taken = 0;

    InputSlot Take() {
        if (taken >= controls.size()) {
            return {};
        }
        const InputSlot slot{controls[taken], labels[taken]};
        ++taken;
        return slot;
    }
};

bool OffersNotGiven(const OperationInput& input) {
    return !input.required && input.default_word.empty();
}

// The index of `word` among the input's words, -1 when it is none of them.
int IndexAmongWords(const OperationInput& input, std::string_view word) {
    const auto found = std::ranges::find_if(
        input.words, [word](const InputWord& entry) { return SameWord(word, entry.word); });
    return found == input.words.end() ? -1 : static_cast<int>(found - input.words.begin());
}

} // namespace

std::vector<InputSlot> SlotsOf(const CardOperation& operation) {
    Rows fields{res::kCardFields, res::kCardFieldLabels};
    Rows choices{res::kCardChoices, res::kCardChoiceLabels};
    Rows flags{res::kCardFlags, res::kCardFlags};
    std::vector<InputSlot> slots;
    for (const OperationInput& input : operation.inputs) {
        switch (input.kind) {
        case InputKind::hex:
        case InputKind::digits:
            slots.push_back(fields.Take());
            break;
        case InputKind::word:
            slots.push_back(choices.Take());
            break;
        case InputKind::flag:
            slots.push_back(flags.Take());
            break;
        }
    }
    return slots;
}

std::vector<RowControl> RowControlsOf(const CardOperation& operation) {
    const std::vector<InputSlot> slots = SlotsOf(operation);
    const auto used = [&slots](int id) {
        return std::ranges::any_of(
            slots, [id](const InputSlot& slot) { return slot.control == id || slot.label == id; });
    };
    std::vector<RowControl> rows;
    for (const std::span<const int> ids :
         {std::span<const int>(res::kCardFieldLabels), std::span<const int>(res::kCardFields),
          std::span<const int>(res::kCardChoiceLabels), std::span<const int>(res::kCardChoices),
          std::span<const int>(res::kCardFlags)}) {
        for (const int id : ids) {
            rows.push_back({id, used(id)});
        }
    }
    return rows;
}

std::vector<std::string> WordItems(const OperationInput& input) {
    std::vector<std::string> items;
    if (OffersNotGiven(input)) {
        items.emplace_back(kNotGiven);
    }
    for (const InputWord& word : input.words) {
        items.push_back(std::string(word.word) + (word.help.empty() ? "" : ": ") +
                        std::string(word.help));
    }
    return items;
}

int WordIndex(const OperationInput& input, const std::string& text) {
    const int offset = OffersNotGiven(input) ? 1 : 0;
    if (text.empty()) {
        return input.default_word.empty() ? 0 : IndexAmongWords(input, input.default_word) + offset;
    }
    const int index = IndexAmongWords(input, text);
    return index < 0 ? -1 : index + offset;
}

std::string WordText(const OperationInput& input, int index, const std::string& previous) {
    const int word = index - (OffersNotGiven(input) ? 1 : 0);
    if (word < 0 || word >= static_cast<int>(input.words.size())) {
        return {};
    }
    const std::string_view chosen = input.words[static_cast<std::size_t>(word)].word;
    if (previous.empty() && !input.default_word.empty() && SameWord(chosen, input.default_word)) {
        return {};
    }
    return std::string(chosen);
}

} // namespace orvelin::card
