// The framework's message box: modal, OK only, no icon, captioned with the
// application's name (the program file's name).
#ifndef ORVELIN_WIN32_MESSAGE_BOX_H
#define ORVELIN_WIN32_MESSAGE_BOX_H

#include <windows.h>

#include <string>

namespace orvelin::win32 {

// Returns when the operator has closed the box. The program's own texts are
// ASCII, so the 8-bit call shows them as they are.
void ShowMessageBox(HWND owner, const std::string& text);

// The application's box, with no owner: the binding failure at start-up.
void ShowApplicationMessage(const std::string& text);

} // namespace orvelin::win32

#endif
