#include "vector_records.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <stdexcept>

namespace orvelin::fuzz {
namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string Upper(std::string s) {
    std::ranges::transform(s, s.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

} // namespace

std::optional<std::string> VectorRecord::Field(const std::string& name) const {
    const auto it = fields.find(name);
    return it == fields.end() ? std::nullopt : std::optional(it->second);
}

std::vector<VectorRecord> ReadVectorRecords(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::vector<VectorRecord> records;
    VectorRecord current;
    const auto flush = [&] {
        if (!current.fields.empty()) {
            records.push_back(current);
        }
        current.fields.clear();
    };
    for (std::string raw; std::getline(in, raw);) {
        const std::string line = Trim(raw);
        const auto equals = line.find('=');
        if (line.empty()) {
            flush();
        } else if (line.front() == '[') {
            flush();
            current.section = Upper(line.substr(1, line.find(']') - 1));
        } else if (line.front() != '#' && equals != std::string::npos) {
            current.fields[Upper(Trim(line.substr(0, equals)))] = Trim(line.substr(equals + 1));
        }
    }
    flush();
    return records;
}

} // namespace orvelin::fuzz
