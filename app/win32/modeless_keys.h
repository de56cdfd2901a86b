// A modeless dialog's keys. Only the loop of a modal dialog or of a message
// box runs while the program is up, and each passes the dialog manager's keys
// (Tab, Enter, Escape, arrows) to its own dialog alone; a thread hook passes
// them to the modeless dialog under whichever loop removes them.
#ifndef ORVELIN_WIN32_MODELESS_KEYS_H
#define ORVELIN_WIN32_MODELESS_KEYS_H

#include <windows.h>

namespace orvelin::win32 {

class ModelessKeys {
  public:
    // Routes the keys of `dialog` and its controls while this object lives.
    explicit ModelessKeys(HWND dialog);
    ~ModelessKeys();
    ModelessKeys(const ModelessKeys&) = delete;
    ModelessKeys& operator=(const ModelessKeys&) = delete;

  private:
    HWND dialog_;
    HHOOK hook_;
};

} // namespace orvelin::win32

#endif
