#include "template_dialog.h"

#include "dialog_template_builder.h"
#include "message_box.h"

namespace orvelin {
namespace {

HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

} // namespace

DialogView::DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic,
                       bool app_window)
    : template_(dialog_template), logic_(logic), app_window_(app_window) {}

INT_PTR DialogView::DoModal(HWND owner) {
    const auto window =
        win32::BuildDialogTemplate(template_, {.visible = true, .app_window = app_window_});
    return DialogBoxIndirectParamW(ProgramInstance(), window.Get(), owner, &DialogView::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

HWND DialogView::Create(HWND owner) {
    const auto window =
        win32::BuildDialogTemplate(template_, {.visible = false, .app_window = app_window_});
    return CreateDialogIndirectParamW(ProgramInstance(), window.Get(), owner,
                                      &DialogView::DialogProc, reinterpret_cast<LPARAM>(this));
}

// The object arrives with WM_INITDIALOG; messages before it get the default.
INT_PTR CALLBACK DialogView::DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        reinterpret_cast<DialogView*>(lparam)->m_hWnd = dialog;
    }
    auto* const self = reinterpret_cast<DialogView*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    const INT_PTR result = self->OnMessage(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        self->m_hWnd = nullptr;
    }
    return result;
}

// The logic sets the focus itself, so the dialog manager must not.
INT_PTR DialogView::OnMessage(UINT message, WPARAM wparam, LPARAM /*lparam*/) {
    switch (message) {
    case WM_INITDIALOG:
        SubclassFields();
        logic_.OnInitDialog(*this);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        // Clicked comes after an automatic box has toggled itself.
        return HIWORD(wparam) == BN_CLICKED && logic_.OnCommand(LOWORD(wparam));
    default:
        return FALSE;
    }
}

void DialogView::OnCancel() {
    ::EndDialog(m_hWnd, IDCANCEL);
}

void DialogView::SubclassFields() {
    for (const auto& control : template_.controls) {
        if (control.kind == res::ControlKind::edit) {
            fields_[control.id].SubclassDlgItem(control.id, m_hWnd);
        }
    }
}

std::string FieldText(const DialogView& view, int field) {
    return view.Field(field).Text8();
}

void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes) {
    view.Field(field).SetBytes(bytes);
}

bool IsChecked(const DialogView& view, int button) {
    return SendMessageA(view.Item(button), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(DialogView& view, int button, bool checked) {
    SendMessageA(view.Item(button), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetEnabled(DialogView& view, int control, bool enabled) {
    EnableWindow(view.Item(control), enabled);
}

void SetFocusTo(DialogView& view, int control) {
    SetFocus(view.Item(control));
}

void ShowMessageBox(DialogView& view, const std::string& text) {
    win32::ShowMessageBox(view.GetSafeHwnd(), text);
}

int RunModalDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                   DialogLogic& logic) {
    return static_cast<int>(DialogView(dialog_template, logic, false).DoModal(owner.GetSafeHwnd()));
}

void CloseDialog(DialogView& view, int result) {
    ::EndDialog(view.GetSafeHwnd(), result);
}

} // namespace orvelin
