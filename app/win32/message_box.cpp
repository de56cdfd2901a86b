#include "message_box.h"

#include "messages.h"

namespace orvelin::win32 {

void ShowMessageBox(HWND owner, const std::string& text) {
    const std::string caption(messages::kApplicationName);
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK);
}

void ShowApplicationMessage(const std::string& text) {
    ShowMessageBox(nullptr, text);
}

} // namespace orvelin::win32
