// The view's calls of dialog_view.h on a page: each goes to the page's
// imports with the dialog's number; texts cross through the module's memory.
#include "dialogs.h"
#include "hex_text.h"
#include "imports.h"

#include <array>

namespace orvelin {
namespace {

using TextRead = std::size_t (*)(int dialog, int control, char* buffer, std::size_t capacity);

// Most texts fit the first buffer; a longer one is read again at its length.
std::string ReadText(TextRead read, const DialogView& view, int control) {
    std::array<char, 256> first{};
    const std::size_t length = read(view.Handle(), control, first.data(), first.size());
    if (length <= first.size()) {
        return {first.data(), length};
    }
    std::string whole(length, '\0');
    const std::size_t again = read(view.Handle(), control, whole.data(), whole.size());
    whole.resize(std::min(again, length));
    return whole;
}

} // namespace

std::string FieldText(const DialogView& view, int field) {
    return ReadText(&orvelin_import_field_text, view, field);
}

void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes) {
    const std::string text = WriteHex(bytes);
    orvelin_import_set_field_text(view.Handle(), field, text.data(), text.size());
}

bool IsChecked(const DialogView& view, int button) {
    return orvelin_import_is_checked(view.Handle(), button) != 0;
}

void SetChecked(DialogView& view, int button, bool checked) {
    orvelin_import_set_checked(view.Handle(), button, checked ? 1 : 0);
}

void SetEnabled(DialogView& view, int control, bool enabled) {
    orvelin_import_set_enabled(view.Handle(), control, enabled ? 1 : 0);
}

void SetFocusTo(DialogView& view, int control) {
    orvelin_import_set_focus(view.Handle(), control);
}

void SetVisible(DialogView& view, int control, bool visible) {
    orvelin_import_set_visible(view.Handle(), control, visible ? 1 : 0);
}

void MoveControl(DialogView& view, int control, int x, int y) {
    orvelin_import_move_control(view.Handle(), control, x, y);
}

void ResizeDialog(DialogView& view, int width, int height) {
    orvelin_import_resize_dialog(view.Handle(), width, height);
}

std::string ControlText(const DialogView& view, int control) {
    return ReadText(&orvelin_import_control_text, view, control);
}

void SetControlText(DialogView& view, int control, const std::string& text) {
    orvelin_import_set_control_text(view.Handle(), control, text.data(), text.size());
}

void SetListItems(DialogView& view, int list, std::span<const std::string> items) {
    std::string joined;
    for (const auto& item : items) {
        joined += item;
        joined += '\0';
    }
    orvelin_import_set_list_items(view.Handle(), list, joined.data(), joined.size());
}

int SelectedIndex(const DialogView& view, int list) {
    return orvelin_import_selected_index(view.Handle(), list);
}

void SelectIndex(DialogView& view, int list, int index) {
    orvelin_import_select_index(view.Handle(), list, index);
}

void ShowMessageBox(DialogView& view, const std::string& text) {
    orvelin_import_message_box(view.Handle(), text.data(), text.size());
}

// The page cannot wait for the dialog to close: it returns 0 at once.
int RunModalDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                   DialogLogic& logic) {
    owner.Dialogs().Open(&owner, dialog_template, logic, DialogMode::modal);
    return 0;
}

// The result goes nowhere: nothing waits for it.
void CloseDialog(DialogView& view, int /*result*/) {
    view.Dialogs().Close(view);
}

void OpenModelessDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                        DialogLogic& logic) {
    if (const DialogView* open = owner.Dialogs().OpenFor(logic)) {
        orvelin_import_raise_dialog(open->Handle());
        return;
    }
    owner.Dialogs().Open(&owner, dialog_template, logic, DialogMode::modeless);
}

} // namespace orvelin
