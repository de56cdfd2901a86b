// The hex-entry field: a dialog's EDIT control, subclassed so that typed
// characters pass the typing filter, read and written by the hex text rules.
#ifndef ORVELIN_WIN32_HEX_EDIT_H
#define ORVELIN_WIN32_HEX_EDIT_H

#include "hex_text.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

class CHexEdit {
  public:
    CHexEdit() = default;
    ~CHexEdit();
    CHexEdit(const CHexEdit&) = delete;
    CHexEdit& operator=(const CHexEdit&) = delete;

    // Takes over the dialog's control `id`; the subclass ends with the control.
    void SubclassDlgItem(int id, HWND dialog);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The current text in the system's 8-bit code page, as the operations read it.
    std::string Text8() const;
    // Reads the current text into `destination`, never past its end.
    orvelin::HexReading GetBytes(std::span<std::uint8_t> destination) const;
    // Replaces the text by two upper-case digits per byte.
    void SetBytes(std::span<const std::uint8_t> bytes);

    // 1 while the field takes Ctrl to be held down.
    std::int32_t CtrlHeld() const { return m_ctrlHeld; }

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR self);
    // True when the message goes no further than this field.
    bool PreTranslate(UINT message, WPARAM wparam);
    void Detach();

    HWND m_hWnd = nullptr;
    std::int32_t m_ctrlHeld = 0;
};

#endif
