#include "vector_files.h"

namespace testing_support {

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

std::vector<Record> read_records(const std::filesystem::path& relative) {
    return read_vector_file(vector_path(relative));
}

} // namespace testing_support
