#include "published_examples.h"

#include "card_operations.h"

#include <algorithm>

namespace orvelin::card {
namespace {

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            break;
        }
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find(' '), line.size());
        words.emplace_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return words;
}

std::string_view WithoutPrefix(std::string_view line, std::string_view prefix) {
    line.remove_prefix(std::min(prefix.size(), line.size()));
    return line;
}

// The input that `word` names among the options, or null.
const OperationInput* OptionNamed(const CardOperation& operation, std::string_view word) {
    const auto found = std::ranges::find_if(operation.inputs, [word](const OperationInput& input) {
        return !input.positional() && input.option == word;
    });
    return found == operation.inputs.end() ? nullptr : &*found;
}

bool FixedAt(const CardOperation& operation, std::span<const std::string> words) {
    return !operation.fixed.empty() && words.size() >= operation.fixed.size() &&
           std::ranges::equal(operation.fixed, words.first(operation.fixed.size()));
}

// The record's words mapped back to the operation's inputs; nullopt when the
// record is another command's or says what the operation does not take.
std::optional<InputTexts> TextsOf(const CardOperation& operation,
                                  std::span<const std::string> words) {
    const std::size_t named = operation.command.size();
    if (words.size() < named || !std::ranges::equal(operation.command, words.first(named))) {
        return std::nullopt;
    }
    InputTexts texts(operation.inputs.size());
    bool fixed_seen = operation.fixed.empty();
    std::size_t next_positional = 0;
    for (std::size_t i = named; i < words.size(); ++i) {
        if (FixedAt(operation, words.subspan(i))) {
            fixed_seen = true;
            i += operation.fixed.size() - 1;
            continue;
        }
        const OperationInput* input = OptionNamed(operation, words[i]);
        if (input == nullptr && words[i].starts_with("--")) {
            return std::nullopt;
        }
        if (input == nullptr) {
            while (next_positional < operation.inputs.size() &&
                   !operation.inputs[next_positional].positional()) {
                ++next_positional;
            }
            if (next_positional == operation.inputs.size()) {
                return std::nullopt;
            }
            texts[next_positional++] = words[i];
            continue;
        }
        std::string& text = texts[static_cast<std::size_t>(input - operation.inputs.data())];
        if (input->kind == InputKind::flag) {
            text = "1";
        } else if (i + 1 < words.size()) {
            text = words[++i];
        } else {
            return std::nullopt;
        }
    }
    return fixed_seen ? std::optional<InputTexts>(std::move(texts)) : std::nullopt;
}

} // namespace

std::vector<ExampleRecord> ExampleRecords(std::string_view text) {
    std::vector<ExampleRecord> records;
    std::string source;
    bool in_comment = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const bool comment = line.starts_with('#');
        if (comment) {
            const std::string_view said = WithoutPrefix(line, line.starts_with("# ") ? "# " : "#");
            source = in_comment ? source + " " + std::string(said) : std::string(said);
        } else if (line.starts_with("tavik ")) {
            records.push_back(
                {.source = source, .words = Words(WithoutPrefix(line, "tavik ")), .printed = {}});
        } else if ((line == "=" || line.starts_with("= ")) && !records.empty()) {
            records.back().printed.emplace_back(WithoutPrefix(line, "= "));
        }
        in_comment = comment;
    }
    return records;
}

std::optional<OperationExample> FirstExample(const CardOperation& operation) {
    static const std::vector<ExampleRecord> records = ExampleRecords(PublishedExamplesText());
    for (const ExampleRecord& record : records) {
        if (auto texts = TextsOf(operation, record.words)) {
            return OperationExample{
                .source = record.source, .texts = std::move(*texts), .printed = record.printed};
        }
    }
    return std::nullopt;
}

} // namespace orvelin::card
