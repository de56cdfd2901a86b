// A small stand-in for the Windows loader where there is none: load a shared
// library by its Windows file name and look its exports up by name. On
// Windows these are the real LoadLibraryA and GetProcAddress.
#ifndef ORVELIN_LIBRARY_LOADER_H
#define ORVELIN_LIBRARY_LOADER_H

#include <cstdint>
#include <string>
#include <string_view>

namespace orvelin::platform {

// Null when the load failed.
using ModuleHandle = void*;

// "TAVIK_ALG.dll" becomes "libTAVIK_ALG.so" here; other platforms keep it.
std::string PlatformLibraryName(std::string_view windows_name);

// The file LoadLibraryA hands the platform's loader: the platform's name in
// the running program's own folder when a file of that name is there, as
// Windows looks first; else the name, for the standard search.
std::string LibraryPath(std::string_view file_name);

// Loads LibraryPath(file_name). A second load of one file returns the same
// module and raises its reference count.
ModuleHandle LoadLibraryA(const char* file_name);

// Null when the module lacks the export, or when the load had failed.
void* GetProcAddress(ModuleHandle module, const char* name);

// The loader's own reason for a failed call, as it gave it: GetLastError's
// code and FormatMessage's text on Windows, dlerror's text (code 0)
// elsewhere.
struct LoaderError {
    std::uint32_t code = 0;
    std::string text;
};

// Why the last LoadLibraryA or GetProcAddress on this thread failed. The
// loader keeps one reason per thread, so read it right after the failing
// call, before any other.
LoaderError LastLoaderError();

} // namespace orvelin::platform

#endif
