// Runs the built tavik as a script would: arguments, text on standard input,
// and what comes back on standard output, standard error and the exit status.
#ifndef TAVIK_TESTS_PROCESS_H
#define TAVIK_TESTS_PROCESS_H

#include <filesystem>
#include <string>
#include <vector>

namespace tavik_tests {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;

    // Standard output, one entry per line.
    std::vector<std::string> Lines() const;
};

// A folder of its own under the system's temporary folder, removed with it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::filesystem::path TavikProgram();
std::filesystem::path LibraryPath();

Outcome RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::string& input = {});
inline Outcome RunTavik(const std::vector<std::string>& arguments, const std::string& input = {}) {
    return RunProgram(TavikProgram(), arguments, input);
}

// `command` through /bin/sh -c, for real pipes.
Outcome RunShell(const std::string& command);

// Single quotes for the shell.
std::string Quoted(const std::string& text);

std::string ReadText(const std::filesystem::path& file);
void WriteText(const std::filesystem::path& file, const std::string& text);

} // namespace tavik_tests

#endif
