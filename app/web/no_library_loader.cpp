// A page has no loader and no files: every load fails with a reason that says
// so, and the page binds the library linked into it instead
// (TavikAlgBinding::FromLinked).
#include "library_loader.h"

namespace orvelin::platform {

std::string PlatformLibraryName(std::string_view windows_name) {
    return std::string(windows_name);
}

std::string LibraryPath(std::string_view file_name) {
    return std::string(file_name);
}

ModuleHandle LoadLibraryA(const char* /*file_name*/) {
    return nullptr;
}

void* GetProcAddress(ModuleHandle /*module*/, const char* /*name*/) {
    return nullptr;
}

LoaderError LastLoaderError() {
    return {.code = 0, .text = "a WebAssembly module loads no library"};
}

} // namespace orvelin::platform
