#include "vector_files.h"

#include <fstream>
#include <stdexcept>

namespace testing_support {
namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

} // namespace

const std::string& Record::at(const std::string& name) const {
    const auto it = fields.find(name);
    if (it == fields.end()) {
        throw std::out_of_range("record at line " + std::to_string(line) + " has no " + name);
    }
    return it->second;
}

std::optional<std::filesystem::path> vector_dir() {
    const std::filesystem::path dir = ORVELIN_VECTOR_DIR;
    if (std::filesystem::is_directory(dir)) {
        return dir;
    }
    return std::nullopt;
}

std::filesystem::path vector_path(const std::filesystem::path& relative) {
    return std::filesystem::path(ORVELIN_VECTOR_DIR) / relative;
}

testing::AssertionResult vector_file_present(const std::filesystem::path& relative) {
    const std::filesystem::path file = vector_path(relative);
    if (std::filesystem::is_regular_file(file)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "vector file missing: " << file.string() << " (ORVELIN_VECTOR_DIR "
           << ORVELIN_VECTOR_DIR << (vector_dir() ? " exists)" : " does not exist)");
}

std::vector<Record> read_records(const std::filesystem::path& file) {
    const std::filesystem::path path = vector_path(file);
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::vector<Record> records;
    std::string section;
    Record current;
    const auto flush = [&] {
        if (!current.fields.empty()) {
            records.push_back(current);
        }
        current = Record{section, {}, 0};
    };
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = trim(raw);
        if (line.empty()) {
            flush();
        } else if (line.front() == '[') {
            flush();
            section = line.substr(1, line.find(']') - 1);
            current.section = section;
        } else if (line.front() != '#') {
            const auto eq = line.find('=');
            if (eq == std::string::npos) {
                continue;
            }
            if (current.fields.empty()) {
                current.line = number;
            }
            current.fields[trim(line.substr(0, eq))] = trim(line.substr(eq + 1));
        }
    }
    flush();
    return records;
}

} // namespace testing_support
