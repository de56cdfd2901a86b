// UTF-8 text of the templates, the string table and the logic as the wide
// Win32 calls take it, so that Chinese reads correctly whatever the system
// code page; and line breaks as a multi-line edit control takes them.
#ifndef ORVELIN_WIN32_WIDE_TEXT_H
#define ORVELIN_WIN32_WIDE_TEXT_H

#include <string>
#include <string_view>

namespace orvelin::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// Each "\n" as "\r\n", which an edit control needs to break a line.
std::wstring WithCrLf(std::wstring_view text);
// Each "\r\n" as "\n" again.
std::wstring WithoutCr(std::wstring_view text);

} // namespace orvelin::win32

#endif
