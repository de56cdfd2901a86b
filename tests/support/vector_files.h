// Reads the public NIST CAVP and RFC vector files kept in tests/data (or the
// folder the build names instead). A file that is not there is a failure.
#ifndef ORVELIN_TESTS_VECTOR_FILES_H
#define ORVELIN_TESTS_VECTOR_FILES_H

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// One record: `NAME = value` lines up to a blank line, with the [SECTION] it
// stands under ("" where the file has none). Names are kept as written.
struct Record {
    std::string section;
    std::map<std::string, std::string> fields;
    int line = 0;

    const std::string& at(const std::string& name) const;
};

// The folder of vector files the build names (ORVELIN_VECTOR_DIR), if it is there.
std::optional<std::filesystem::path> vector_dir();

// `relative` under that folder, whether or not it is there.
std::filesystem::path vector_path(const std::filesystem::path& relative);

// Success if `relative` is a file under the vector folder; otherwise a
// failure that names the missing path. ASSERT_TRUE on it before reading.
testing::AssertionResult vector_file_present(const std::filesystem::path& relative);

// Parses one .rsp or .txt file of NAME = value records, a relative path taken
// under the vector folder; throws if unreadable.
std::vector<Record> read_records(const std::filesystem::path& file);

} // namespace testing_support

#endif
