// UTF-8 text of the templates and string table as the wide Win32 calls take
// it, so that Chinese reads correctly whatever the system code page.
#ifndef ORVELIN_WIN32_WIDE_TEXT_H
#define ORVELIN_WIN32_WIDE_TEXT_H

#include <string>
#include <string_view>

namespace orvelin::win32 {

std::wstring WideFromUtf8(std::string_view utf8);

} // namespace orvelin::win32

#endif
