#include "modeless_keys.h"

namespace orvelin::win32 {
namespace {

// Marks a dialog whose keys the hook routes; the hook has no data of its own.
constexpr const wchar_t* kRoutedDialog = L"Orvelin.ModelessKeys";

bool IsKey(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// A key the modeless dialog's manager acted on becomes WM_NULL, so that the
// running loop does nothing more with it.
LRESULT CALLBACK RouteKeys(int code, WPARAM removal, LPARAM message) noexcept {
    auto* const msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && IsKey(msg->message)) {
        HWND const root = GetAncestor(msg->hwnd, GA_ROOT);
        if (root != nullptr && GetPropW(root, kRoutedDialog) != nullptr &&
            IsDialogMessageW(root, msg)) {
            msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

} // namespace

ModelessKeys::ModelessKeys(HWND dialog)
    : dialog_(dialog),
      hook_(SetWindowsHookExW(WH_GETMESSAGE, &RouteKeys, nullptr, GetCurrentThreadId())) {
    SetPropW(dialog_, kRoutedDialog, dialog_);
}

ModelessKeys::~ModelessKeys() {
    RemovePropW(dialog_, kRoutedDialog);
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
}

} // namespace orvelin::win32
