#include "template_dialog.h"

#include "hex_edit.h"
#include "message_box.h"
#include "program_icon.h"

#include <QAbstractButton>

namespace orvelin {

// Clicked comes after an automatic box has toggled itself.
DialogView::DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic,
                       QWidget* parent)
    : QDialog(parent), controls_(BuildDialog(*this, dialog_template, ProgramIcon())) {
    for (const auto& control : dialog_template.controls) {
        auto* const button =
            findChild<QAbstractButton*>(QString::number(control.id), Qt::FindDirectChildrenOnly);
        if (button != nullptr) {
            connect(button, &QAbstractButton::clicked, this,
                    [&logic, id = control.id] { logic.OnCommand(id); });
        }
    }
    logic.OnInitDialog(*this);
}

std::string FieldText(const DialogView& view, int field) {
    return view.Controls().Get<CHexEdit>(field)->Text8();
}

void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes) {
    view.Controls().Get<CHexEdit>(field)->SetBytes(bytes);
}

bool IsChecked(const DialogView& view, int button) {
    return view.Controls().Get<QAbstractButton>(button)->isChecked();
}

void SetChecked(DialogView& view, int button, bool checked) {
    view.Controls().Get<QAbstractButton>(button)->setChecked(checked);
}

void SetEnabled(DialogView& view, int control, bool enabled) {
    view.Controls().Get<QWidget>(control)->setEnabled(enabled);
}

void SetFocusTo(DialogView& view, int control) {
    view.Controls().Get<QWidget>(control)->setFocus(Qt::OtherFocusReason);
}

void ShowMessageBox(DialogView& view, const std::string& text) {
    MessageBox(&view, text);
}

int RunModalDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                   DialogLogic& logic) {
    DialogView dialog(dialog_template, logic, &owner);
    return dialog.exec();
}

void CloseDialog(DialogView& view, int result) {
    view.done(result);
}

} // namespace orvelin
