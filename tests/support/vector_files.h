// Reads the public NIST CAVP and RFC vector files where they are laid out
// beside the project; tests skip themselves where they are not.
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

// The folder of vector files, if it is there.
std::optional<std::filesystem::path> vector_dir();

// Parses one .rsp or .txt file of NAME = value records; throws if unreadable.
std::vector<Record> read_records(const std::filesystem::path& file);

// A test fixture that reports itself skipped, never passed, without the files.
template <typename Base = testing::Test>
class NeedsVectorFiles : public Base {
  protected:
    void SetUp() override {
        if (!vector_dir()) {
            GTEST_SKIP() << "vector files not found at " << ORVELIN_VECTOR_DIR;
        }
    }
};

} // namespace testing_support

#endif
