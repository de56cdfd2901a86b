// The one reader of the public vector files' NAME = value records (CAVP .rsp
// and the .txt form), for the tests and the fuzz seed maker alike. The
// product's own reader, behind `tavik verify`, is separate on purpose.
#ifndef ORVELIN_TESTS_VECTOR_RECORDS_H
#define ORVELIN_TESTS_VECTOR_RECORDS_H

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// CAVP writes KEY in one file and Key in another: names compare without case.
struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// One record: `NAME = value` lines up to a blank line, with the [SECTION] it
// stands under ("" where the file has none) and the line it starts on.
// Names are kept as written.
struct Record {
    std::string section;
    std::map<std::string, std::string, NameLess> fields;
    int line = 0;

    // Throws, naming the record's line, if the record has no such field.
    const std::string& at(std::string_view name) const;
    std::optional<std::string> find(std::string_view name) const;
};

// Every record of one file; throws if it cannot be read.
std::vector<Record> read_vector_file(const std::filesystem::path& file);

} // namespace testing_support

#endif
