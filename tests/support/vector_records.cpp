#include "vector_records.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <stdexcept>

namespace testing_support {
namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

bool NameLess::operator()(std::string_view a, std::string_view b) const {
    return std::ranges::lexicographical_compare(a, b, {}, lower, lower);
}

const std::string& Record::at(std::string_view name) const {
    const auto it = fields.find(name);
    if (it == fields.end()) {
        throw std::out_of_range("record at line " + std::to_string(line) + " has no " +
                                std::string(name));
    }
    return it->second;
}

std::optional<std::string> Record::find(std::string_view name) const {
    const auto it = fields.find(name);
    return it == fields.end() ? std::nullopt : std::optional(it->second);
}

std::vector<Record> read_vector_file(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::vector<Record> records;
    Record current;
    const auto flush = [&] {
        if (!current.fields.empty()) {
            records.push_back(current);
        }
        current.fields.clear();
        current.line = 0;
    };
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = trim(raw);
        const auto equals = line.find('=');
        if (line.empty()) {
            flush();
        } else if (line.front() == '[') {
            flush();
            current.section = line.substr(1, line.find(']') - 1);
        } else if (line.front() != '#' && equals != std::string::npos) {
            if (current.fields.empty()) {
                current.line = number;
            }
            current.fields[trim(line.substr(0, equals))] = trim(line.substr(equals + 1));
        }
    }
    flush();
    return records;
}

} // namespace testing_support
