#include "cavp_records.h"

#include <algorithm>
#include <cctype>

namespace orvelin::cli {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

class RecordBuilder {
  public:
    explicit RecordBuilder(std::vector<CavpRecord>& records) : records_(records) {}

    void Take(std::string_view line, std::size_t number) {
        if (line.empty()) {
            Finish();
        } else if (line.front() == '[' && line.back() == ']') {
            Finish();
            section_ = Trim(line.substr(1, line.size() - 2));
        } else if (line.front() != '#') {
            AddField(line, number);
        }
    }

    void Finish() {
        if (!current_.fields.empty() || current_.stray_line != 0) {
            records_.push_back(std::move(current_));
        }
        current_ = {};
    }

  private:
    void AddField(std::string_view line, std::size_t number) {
        if (current_.line == 0) {
            current_.section = section_;
            current_.line = number;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            current_.stray_line = current_.stray_line == 0 ? number : current_.stray_line;
            return;
        }
        current_.fields.insert_or_assign(LowerCase(Trim(line.substr(0, equals))),
                                         std::string(Trim(line.substr(equals + 1))));
    }

    std::vector<CavpRecord>& records_;
    std::string section_;
    CavpRecord current_;
};

} // namespace

const std::string* CavpRecord::Find(std::string_view name) const {
    const auto found = fields.find(name);
    return found == fields.end() ? nullptr : &found->second;
}

std::vector<CavpRecord> ReadCavpRecords(std::istream& input) {
    std::vector<CavpRecord> records;
    RecordBuilder builder(records);
    std::string line;
    for (std::size_t number = 1; std::getline(input, line); ++number) {
        builder.Take(Trim(line), number);
    }
    builder.Finish();
    return records;
}

} // namespace orvelin::cli
