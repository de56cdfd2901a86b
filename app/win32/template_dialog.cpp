#include "template_dialog.h"

#include "dialog_template_builder.h"
#include "message_box.h"
#include "resource.h"
#include "wide_text.h"

#include <algorithm>
#include <string_view>

namespace orvelin {
namespace {

using res::ControlKind;

HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

// Right of the owner where its monitor has room, else left of it, else as far
// right as the monitor allows; level with its top.
POINT BesideOwner(const RECT& owner, SIZE size, const RECT& screen) {
    constexpr LONG kGap = 8;
    LONG x = owner.right + kGap;
    if (x + size.cx > screen.right) {
        x = owner.left - kGap - size.cx;
    }
    if (x < screen.left) {
        x = std::max(screen.left, screen.right - size.cx);
    }
    const LONG lowest = std::max(screen.top, screen.bottom - size.cy);
    return {x, std::clamp(owner.top, screen.top, lowest)};
}

void PlaceBeside(HWND dialog, HWND owner) {
    RECT owner_rect{};
    RECT dialog_rect{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetWindowRect(owner, &owner_rect) == FALSE ||
        GetWindowRect(dialog, &dialog_rect) == FALSE ||
        GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
        return;
    }
    const SIZE size{dialog_rect.right - dialog_rect.left, dialog_rect.bottom - dialog_rect.top};
    const POINT at = BesideOwner(owner_rect, size, monitor.rcWork);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

constexpr std::initializer_list<ControlKind> kBoxes = {ControlKind::auto_check_box,
                                                       ControlKind::auto_radio_button};
constexpr std::initializer_list<ControlKind> kTextBearing = {
    ControlKind::default_push_button,
    ControlKind::push_button,
    ControlKind::edit,
    ControlKind::label,
    ControlKind::right_label,
    ControlKind::auto_check_box,
    ControlKind::auto_radio_button,
    ControlKind::plain_edit,
    ControlKind::read_only_edit,
    ControlKind::multi_line_text,
    ControlKind::drop_down_list,
    ControlKind::wrapped_text,
};
constexpr std::initializer_list<ControlKind> kLists = {ControlKind::drop_down_list};

} // namespace

DialogView::DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic,
                       bool app_window)
    : template_(dialog_template), logic_(logic), app_window_(app_window) {}

// A window that outlived its object would call into freed memory.
DialogView::~DialogView() {
    if (m_hWnd != nullptr) {
        DestroyWindow(m_hWnd);
    }
}

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

HWND DialogView::CreateModeless(HWND owner) {
    modeless_ = true;
    HWND const window = Create(owner);
    if (window != nullptr) {
        modeless_keys_ = std::make_unique<win32::ModelessKeys>(window);
        PlaceBeside(window, owner);
    }
    return window;
}

// The object arrives with WM_INITDIALOG; messages before it get the default.
// No exception may unwind through the dialog manager: one ends the program.
INT_PTR CALLBACK DialogView::DialogProc(HWND dialog, UINT message, WPARAM wparam,
                                        LPARAM lparam) noexcept {
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
        self->Released();
    }
    return result;
}

void DialogView::Released() {
    modeless_keys_.reset();
    SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    m_hWnd = nullptr;
    fixed_pitch_font_.reset(); // after the controls that showed it
}

// The logic sets the focus itself, so the dialog manager must not.
INT_PTR DialogView::OnMessage(UINT message, WPARAM wparam, LPARAM /*lparam*/) {
    switch (message) {
    case WM_INITDIALOG:
        SubclassFields();
        SetFixedPitchFont();
        logic_.OnInitDialog(*this);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return OnControlCommand(LOWORD(wparam), HIWORD(wparam));
    default:
        return FALSE;
    }
}

// Clicked comes after an automatic box has toggled itself. An edit control
// notifies a change of its text by anyone, so the view's own are silenced; a
// list notifies only the operator's choice.
bool DialogView::OnControlCommand(int id, UINT notification) {
    const std::optional<ControlKind> kind = KindOf(id);
    switch (notification) {
    case BN_CLICKED:
        return logic_.OnCommand(id);
    case EN_CHANGE:
        if (quiet_ || (kind != ControlKind::edit && kind != ControlKind::plain_edit)) {
            return false;
        }
        logic_.OnChange(id);
        return true;
    case CBN_SELCHANGE:
        if (kind != ControlKind::drop_down_list) {
            return false;
        }
        logic_.OnChange(id);
        return true;
    default:
        return false;
    }
}

void DialogView::OnCancel() {
    Close(IDCANCEL);
}

void DialogView::Close(int result) {
    if (modeless_) {
        DestroyWindow(m_hWnd);
    } else {
        ::EndDialog(m_hWnd, result);
    }
}

void DialogView::SubclassFields() {
    for (const auto& control : template_.controls) {
        if (control.kind == ControlKind::edit) {
            fields_[control.id].SubclassDlgItem(control.id, m_hWnd);
        }
    }
}

// The dialog font's size in a fixed-pitch face, so that steps line up.
void DialogView::SetFixedPitchFont() {
    const auto multi_line = [](const res::ControlTemplate& control) {
        return control.kind == ControlKind::multi_line_text;
    };
    if (std::ranges::none_of(template_.controls, multi_line)) {
        return;
    }
    LOGFONTW face{};
    auto* const dialog_font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    if (dialog_font == nullptr || GetObjectW(dialog_font, sizeof face, &face) == 0) {
        return;
    }
    constexpr std::wstring_view kFixedFace = L"Courier New";
    face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    kFixedFace.copy(face.lfFaceName, kFixedFace.size());
    face.lfFaceName[kFixedFace.size()] = L'\0';
    fixed_pitch_font_.reset(CreateFontIndirectW(&face));
    for (const auto& control : template_.controls) {
        if (multi_line(control)) {
            SendMessageW(Item(control.id), WM_SETFONT,
                         reinterpret_cast<WPARAM>(fixed_pitch_font_.get()), FALSE);
        }
    }
}

std::optional<ControlKind> DialogView::KindOf(int id) const {
    if (id == res::IDC_STATIC) {
        return std::nullopt;
    }
    const auto found = std::ranges::find(template_.controls, id, &res::ControlTemplate::id);
    if (found == template_.controls.end()) {
        return std::nullopt;
    }
    return found->kind;
}

HWND DialogView::Item(int id) const {
    return KindOf(id).has_value() ? GetDlgItem(m_hWnd, id) : nullptr;
}

HWND DialogView::ItemOfKind(int id, std::initializer_list<ControlKind> kinds) const {
    const std::optional<ControlKind> kind = KindOf(id);
    return kind.has_value() && std::ranges::find(kinds, *kind) != kinds.end() ? Item(id) : nullptr;
}

CHexEdit* DialogView::Field(int id) {
    const auto found = fields_.find(id);
    return found == fields_.end() ? nullptr : &found->second;
}

const CHexEdit* DialogView::Field(int id) const {
    const auto found = fields_.find(id);
    return found == fields_.end() ? nullptr : &found->second;
}

DialogView* DialogView::ModelessOf(const DialogLogic& logic) const {
    const auto found = modeless_dialogs_.find(&logic);
    if (found == modeless_dialogs_.end() || found->second->GetSafeHwnd() == nullptr) {
        return nullptr;
    }
    return found->second.get();
}

// A closed dialog's object is made into a window again rather than replaced:
// its logic may be reopening it from inside one of its own handlers.
void DialogView::OpenModeless(const res::DialogTemplate& dialog_template, DialogLogic& logic) {
    DialogView* dialog = ModelessOf(logic);
    if (dialog == nullptr) {
        auto& kept = modeless_dialogs_[&logic];
        if (kept == nullptr) {
            kept = std::make_unique<DialogView>(dialog_template, logic, false);
        }
        if (kept->CreateModeless(m_hWnd) == nullptr) {
            return;
        }
        dialog = kept.get();
    }
    HWND const window = dialog->GetSafeHwnd();
    ShowWindow(window, IsIconic(window) != FALSE ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

std::string FieldText(const DialogView& view, int field) {
    const CHexEdit* const edit = view.Field(field);
    return edit == nullptr ? std::string() : edit->Text8();
}

void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes) {
    if (CHexEdit* const edit = view.Field(field)) {
        view.Quietly([&] { edit->SetBytes(bytes); });
    }
}

bool IsChecked(const DialogView& view, int button) {
    HWND const box = view.ItemOfKind(button, kBoxes);
    return box != nullptr && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(DialogView& view, int button, bool checked) {
    if (HWND const box = view.ItemOfKind(button, kBoxes)) {
        SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void SetEnabled(DialogView& view, int control, bool enabled) {
    if (HWND const item = view.Item(control)) {
        EnableWindow(item, enabled);
    }
}

void SetFocusTo(DialogView& view, int control) {
    if (HWND const item = view.Item(control)) {
        SetFocus(item);
    }
}

void SetVisible(DialogView& view, int control, bool visible) {
    if (HWND const item = view.Item(control)) {
        ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
    }
}

void MoveControl(DialogView& view, int control, int x, int y) {
    HWND const item = view.Item(control);
    RECT place{x, y, x, y};
    if (item != nullptr && MapDialogRect(view.GetSafeHwnd(), &place)) {
        SetWindowPos(item, nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The client area in dialog units; the frame around it as the window's
// styles draw it.
void ResizeDialog(DialogView& view, int width, int height) {
    HWND const dialog = view.GetSafeHwnd();
    RECT client{0, 0, width, height};
    if (dialog == nullptr || !MapDialogRect(dialog, &client)) {
        return;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    if (AdjustWindowRectEx(&client, style, FALSE, extended)) {
        SetWindowPos(dialog, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

std::string ControlText(const DialogView& view, int control) {
    HWND const item = view.ItemOfKind(control, kTextBearing);
    return item == nullptr ? std::string()
                           : win32::Utf8FromWide(win32::WithoutCr(WindowText(item)));
}

// Assistive technology names a field by the label just before it in the
// template, so a label's new text names its buddy with no more to do.
void SetControlText(DialogView& view, int control, const std::string& text) {
    if (HWND const item = view.ItemOfKind(control, kTextBearing)) {
        const std::wstring wide = win32::WithCrLf(win32::WideFromUtf8(text));
        view.Quietly([&] { SetWindowTextW(item, wide.c_str()); });
    }
}

void SetListItems(DialogView& view, int list, std::span<const std::string> items) {
    HWND const box = view.ItemOfKind(list, kLists);
    if (box == nullptr) {
        return;
    }
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
        const std::wstring wide = win32::WideFromUtf8(item);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SelectIndex(view, list, 0);
}

int SelectedIndex(const DialogView& view, int list) {
    HWND const box = view.ItemOfKind(list, kLists);
    return box == nullptr ? -1 : static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
}

void SelectIndex(DialogView& view, int list, int index) {
    HWND const box = view.ItemOfKind(list, kLists);
    if (box == nullptr) {
        return;
    }
    const auto count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
    // -1, as CB_SETCURSEL takes it for none, is all ones.
    const WPARAM chosen = index >= 0 && index < count ? static_cast<WPARAM>(index) : ~WPARAM{0};
    SendMessageW(box, CB_SETCURSEL, chosen, 0);
}

void ShowMessageBox(DialogView& view, const std::string& text) {
    win32::ShowMessageBox(view.GetSafeHwnd(), text);
}

int RunModalDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                   DialogLogic& logic) {
    return static_cast<int>(DialogView(dialog_template, logic, false).DoModal(owner.GetSafeHwnd()));
}

void CloseDialog(DialogView& view, int result) {
    view.Close(result);
}

void OpenModelessDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                        DialogLogic& logic) {
    owner.OpenModeless(dialog_template, logic);
}

} // namespace orvelin
