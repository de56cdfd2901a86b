#include "library_loader.h"

#include <algorithm>
#include <cctype>

#if defined(_WIN32)
#include <array>
#include <windows.h>
#else
#include <dlfcn.h>
#include <filesystem>
#include <system_error>
#endif

namespace orvelin::platform {
namespace {

#if !defined(_WIN32)
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

std::filesystem::path ProgramFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : program.parent_path();
}
#endif

} // namespace

std::string PlatformLibraryName(std::string_view windows_name) {
#if defined(_WIN32)
    return std::string(windows_name);
#else
    constexpr std::string_view kWindowsSuffix = ".dll";
    if (!EndsWithIgnoringCase(windows_name, kWindowsSuffix)) {
        return std::string(windows_name);
    }
    windows_name.remove_suffix(kWindowsSuffix.size());
    return "lib" + std::string(windows_name) + ".so";
#endif
}

#if defined(_WIN32)

// The Windows loader searches the program's folder itself.
std::string LibraryPath(std::string_view file_name) {
    return std::string(file_name);
}

ModuleHandle LoadLibraryA(const char* file_name) {
    return reinterpret_cast<ModuleHandle>(::LoadLibraryA(file_name));
}

void* GetProcAddress(ModuleHandle module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

LoaderError LastLoaderError() {
    const DWORD code = ::GetLastError();
    std::array<char, 512> text{};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text.data(), static_cast<DWORD>(text.size()), nullptr);
    std::string said(text.data(), std::min<std::size_t>(length, text.size()));
    // The system's texts end with a line break.
    said.erase(said.find_last_not_of("\r\n ") + 1);
    return {.code = code, .text = std::move(said)};
}

#else

std::string LibraryPath(std::string_view file_name) {
    const std::string name = PlatformLibraryName(file_name);
    if (name.find('/') != std::string::npos) {
        return name;
    }
    std::error_code error;
    const auto beside_program = ProgramFolder() / name;
    return std::filesystem::exists(beside_program, error) ? beside_program.string() : name;
}

ModuleHandle LoadLibraryA(const char* file_name) {
    return dlopen(LibraryPath(file_name).c_str(), RTLD_NOW | RTLD_LOCAL);
}

// dlsym on a null handle would search the whole process; a failed load must
// find nothing.
void* GetProcAddress(ModuleHandle module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return dlsym(module, name);
}

LoaderError LastLoaderError() {
    const char* const said = dlerror();
    return {.code = 0, .text = said != nullptr ? said : ""};
}

#endif

} // namespace orvelin::platform
