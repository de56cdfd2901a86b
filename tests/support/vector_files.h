// The public NIST CAVP and RFC vector files kept in tests/data (or the folder
// the build names instead), for GoogleTest. A file that is not there is a
// failure.
#ifndef ORVELIN_TESTS_VECTOR_FILES_H
#define ORVELIN_TESTS_VECTOR_FILES_H

#include "vector_records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

namespace testing_support {

// The folder of vector files the build names (ORVELIN_VECTOR_DIR), if it is there.
std::optional<std::filesystem::path> vector_dir();

// `relative` under that folder, whether or not it is there.
std::filesystem::path vector_path(const std::filesystem::path& relative);

// Success if `relative` is a file under the vector folder; otherwise a
// failure that names the missing path. ASSERT_TRUE on it before reading.
testing::AssertionResult vector_file_present(const std::filesystem::path& relative);

// The records of one file, a path taken under the vector folder; throws if
// unreadable.
std::vector<Record> read_records(const std::filesystem::path& relative);

} // namespace testing_support

#endif
