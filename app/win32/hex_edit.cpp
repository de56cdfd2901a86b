#include "hex_edit.h"

#include "typing_filter.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 1;

} // namespace

CHexEdit::~CHexEdit() {
    Detach();
}

void CHexEdit::SubclassDlgItem(int id, HWND dialog) {
    Detach();
    m_hWnd = GetDlgItem(dialog, id);
    if (m_hWnd != nullptr) {
        SetWindowSubclass(m_hWnd, &CHexEdit::SubclassProc, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
    }
}

void CHexEdit::Detach() {
    if (m_hWnd != nullptr) {
        RemoveWindowSubclass(m_hWnd, &CHexEdit::SubclassProc, kSubclassId);
        m_hWnd = nullptr;
    }
}

std::string CHexEdit::Text8() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    const int copied = GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

orvelin::HexReading CHexEdit::GetBytes(std::span<std::uint8_t> destination) const {
    return orvelin::ReadHex(Text8(), destination);
}

void CHexEdit::SetBytes(std::span<const std::uint8_t> bytes) {
    SetWindowTextA(m_hWnd, orvelin::WriteHex(bytes).c_str());
}

bool CHexEdit::PreTranslate(UINT message, WPARAM wparam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wparam == VK_CONTROL) {
            m_ctrlHeld = message == WM_KEYDOWN ? 1 : 0;
        }
        return false;
    case WM_CHAR:
        // Dropped without a sound.
        return !orvelin::PassesTypingFilter(m_ctrlHeld != 0, static_cast<char32_t>(wparam));
    default:
        return false;
    }
}

LRESULT CALLBACK CHexEdit::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR /*id*/, DWORD_PTR self) {
    auto* const edit = reinterpret_cast<CHexEdit*>(self);
    if (message == WM_NCDESTROY) {
        edit->Detach();
    } else if (edit->PreTranslate(message, wparam)) {
        return 0;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}
