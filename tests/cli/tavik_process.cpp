#include "tavik_process.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

namespace tavik_tests {
namespace {

// Opens `descriptor` on `file` in the child.
void Redirect(posix_spawn_file_actions_t& actions, int descriptor,
              const std::filesystem::path& file, int flags) {
    if (posix_spawn_file_actions_addopen(&actions, descriptor, file.c_str(), flags, 0600) != 0) {
        throw std::runtime_error("posix_spawn_file_actions_addopen failed");
    }
}

int Spawn(const std::vector<std::string>& command, const TempDir& files) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    Redirect(actions, 0, files.path() / "in", O_RDONLY);
    Redirect(actions, 1, files.path() / "out", O_WRONLY | O_CREAT | O_TRUNC);
    Redirect(actions, 2, files.path() / "err", O_WRONLY | O_CREAT | O_TRUNC);
    std::vector<char*> argv;
    for (const auto& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int wait_status = 0;
    if (spawned != 0 || waitpid(child, &wait_status, 0) != child) {
        throw std::runtime_error("cannot run " + command.front());
    }
    return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
}

Outcome RunCommand(const std::vector<std::string>& command, const std::string& input) {
    const TempDir files;
    WriteText(files.path() / "in", input);
    Outcome run;
    run.status = Spawn(command, files);
    run.out = ReadText(files.path() / "out");
    run.err = ReadText(files.path() / "err");
    return run;
}

} // namespace

std::vector<std::string> Outcome::Lines() const {
    std::vector<std::string> lines;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TavikProgram() {
    return TAVIK_PROGRAM;
}

std::filesystem::path LibraryPath() {
    return TAVIK_LIBRARY;
}

Outcome RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::string& input) {
    std::vector<std::string> command{program.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunCommand(command, input);
}

Outcome RunShell(const std::string& command) {
    return RunCommand({"/bin/sh", "-c", command}, {});
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

} // namespace tavik_tests
