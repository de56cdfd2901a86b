// A small stand-in for the Windows loader where there is none: load a shared
// library by its Windows file name and look its exports up by name. On
// Windows these are the real LoadLibraryA and GetProcAddress.
#ifndef ORVELIN_LIBRARY_LOADER_H
#define ORVELIN_LIBRARY_LOADER_H

#include <string>
#include <string_view>

namespace orvelin::platform {

// Null when the load failed.
using ModuleHandle = void*;

// "TAVIK_ALG.dll" becomes "libTAVIK_ALG.so" here; other platforms keep it.
std::string PlatformLibraryName(std::string_view windows_name);

// Looks in the running program's own folder first, as Windows does, then
// through the standard search. A second load of one file returns the same
// module and raises its reference count.
ModuleHandle LoadLibraryA(const char* file_name);

// Null when the module lacks the export, or when the load had failed.
void* GetProcAddress(ModuleHandle module, const char* name);

} // namespace orvelin::platform

#endif
