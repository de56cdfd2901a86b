// What a test expects of a tavik run.
#ifndef TAVIK_TESTS_CLI_EXPECT_H
#define TAVIK_TESTS_CLI_EXPECT_H

#include "tavik_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace tavik_tests {

// Tavik prints hex in upper case; the standards' files mostly use lower.
inline std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Done: exactly these lines on standard output and nothing on standard error.
inline testing::AssertionResult Printed(const Outcome& run, const std::vector<std::string>& lines) {
    if (run.status != 0 || !run.err.empty() || run.Lines() != lines) {
        return testing::AssertionFailure() << "status " << run.status << "\nstdout:\n"
                                           << run.out << "stderr:\n"
                                           << run.err;
    }
    return testing::AssertionSuccess();
}

// Ended with `status`, printing nothing but `message` on standard error.
inline testing::AssertionResult EndedWith(const Outcome& run, int status,
                                          const std::string& message) {
    if (run.status != status || !run.out.empty() || run.err != message + "\n") {
        return testing::AssertionFailure()
               << "status " << run.status << " (expected " << status << ")\nstdout:\n"
               << run.out << "stderr:\n"
               << run.err << "expected on stderr:\n"
               << message;
    }
    return testing::AssertionSuccess();
}

inline constexpr int kRefused = 1;
inline constexpr int kWrongUsage = 2;
inline constexpr int kLibraryMissing = 255;

} // namespace tavik_tests

#endif
