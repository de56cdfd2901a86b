// Every record of published_examples.txt through the built tavik: the same
// table runs under Wine through published_examples.cmake.
#include "cli_expect.h"

#include <fstream>
#include <sstream>

namespace tavik_tests {
namespace {

struct Example {
    std::vector<std::string> arguments;
    std::vector<std::string> lines;
    int line_number = 0;
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

// The table's records; a line that is none of its kinds fails the test.
std::vector<Example> ReadExamples() {
    std::ifstream table(PUBLISHED_EXAMPLES);
    std::vector<Example> examples;
    int number = 0;
    for (std::string line; std::getline(table, line);) {
        ++number;
        if (line.starts_with("tavik ")) {
            examples.push_back(
                {.arguments = Words(line.substr(6)), .lines = {}, .line_number = number});
        } else if ((line == "=" || line.starts_with("= ")) && !examples.empty()) {
            examples.back().lines.push_back(line.size() > 2 ? line.substr(2) : "");
        } else if (!line.starts_with("#") && line.find_first_not_of(" \t") != std::string::npos) {
            ADD_FAILURE() << "line " << number << " is no record: " << line;
        }
    }
    return examples;
}

TEST(PublishedExamples, EveryRecord) {
    const std::vector<Example> examples = ReadExamples();
    ASSERT_FALSE(examples.empty());
    for (const Example& example : examples) {
        EXPECT_FALSE(example.lines.empty()) << "line " << example.line_number;
        EXPECT_TRUE(Printed(RunTavik(example.arguments), example.lines))
            << "published_examples.txt line " << example.line_number;
    }
}

} // namespace
} // namespace tavik_tests
