#include "template_dialog.h"

#include "hex_edit.h"
#include "message_box.h"
#include "program_icon.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

namespace orvelin {
namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QString TextOf(const QWidget& control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        return edit->text();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(&control)) {
        return text->toPlainText();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return button->text();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(&control)) {
        return list->currentText();
    }
    return {};
}

// A field shows the start of what it was given, as a Win32 edit does.
void SetTextOf(QWidget& control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* multi_line = qobject_cast<QPlainTextEdit*>(&control)) {
        multi_line->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
        if (label->buddy() != nullptr) {
            label->buddy()->setAccessibleName(text);
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(text);
    }
}

// Right of the owner where its screen has room, else left of it, else as far
// right as the screen allows; level with its top.
QPoint BesideOwner(const QRect& owner, const QSize& size, const QRect& screen) {
    constexpr int kGap = 8;
    int x = owner.right() + 1 + kGap;
    if (x + size.width() > screen.right() + 1) {
        x = owner.left() - kGap - size.width();
    }
    if (x < screen.left()) {
        x = std::max(screen.left(), screen.right() + 1 - size.width());
    }
    const int lowest = std::max(screen.top(), screen.bottom() + 1 - size.height());
    return {x, std::clamp(owner.top(), screen.top(), lowest)};
}

QRect ScreenOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen == nullptr ? QRect() : screen->availableGeometry();
}

} // namespace

DialogView::DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic,
                       QWidget* parent)
    : QDialog(parent), controls_(BuildDialog(*this, dialog_template, ProgramIcon())) {
    ConnectEvents(dialog_template, logic);
    logic.OnInitDialog(*this);
}

// Clicked comes after an automatic box has toggled itself. Only the operator's
// edits and choices are reported: textEdited is never emitted for setText, and
// the view's own list changes block the list's signals.
void DialogView::ConnectEvents(const res::DialogTemplate& dialog_template, DialogLogic& logic) {
    for (const auto& control : dialog_template.controls) {
        const int id = control.id;
        if (auto* const button = controls_.Get<QAbstractButton>(id)) {
            connect(button, &QAbstractButton::clicked, this,
                    [&logic, id]() noexcept { logic.OnCommand(id); });
        } else if (auto* const edit = controls_.Get<QLineEdit>(id)) {
            connect(edit, &QLineEdit::textEdited, this,
                    [&logic, id]() noexcept { logic.OnChange(id); });
        } else if (auto* const list = controls_.Get<QComboBox>(id)) {
            connect(list, &QComboBox::currentIndexChanged, this,
                    [&logic, id]() noexcept { logic.OnChange(id); });
        }
    }
}

DialogView* DialogView::ModelessOf(const DialogLogic& logic) const {
    const auto found = modeless_.find(&logic);
    if (found == modeless_.end() || found->second.isNull() || !found->second->isVisible()) {
        return nullptr; // closed, perhaps still waiting to be deleted
    }
    return found->second.data();
}

void DialogView::OpenModeless(const res::DialogTemplate& dialog_template, DialogLogic& logic) {
    DialogView* dialog = ModelessOf(logic);
    if (dialog == nullptr) {
        dialog = new DialogView(dialog_template, logic, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setModal(false);
        dialog->move(BesideOwner(frameGeometry(), dialog->size(), ScreenOf(*this)));
        modeless_[&logic] = dialog;
    }
    if (dialog->isMinimized()) {
        dialog->showNormal();
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

std::string FieldText(const DialogView& view, int field) {
    const auto* const edit = view.Controls().Get<CHexEdit>(field);
    return edit == nullptr ? std::string() : edit->Text8();
}

void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes) {
    if (auto* const edit = view.Controls().Get<CHexEdit>(field)) {
        edit->SetBytes(bytes);
    }
}

bool IsChecked(const DialogView& view, int button) {
    const auto* const box = view.Controls().Get<QAbstractButton>(button);
    return box != nullptr && box->isChecked();
}

void SetChecked(DialogView& view, int button, bool checked) {
    if (auto* const box = view.Controls().Get<QAbstractButton>(button)) {
        box->setChecked(checked);
    }
}

void SetEnabled(DialogView& view, int control, bool enabled) {
    if (auto* const widget = view.Controls().Get<QWidget>(control)) {
        widget->setEnabled(enabled);
    }
}

void SetFocusTo(DialogView& view, int control) {
    if (auto* const widget = view.Controls().Get<QWidget>(control)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void SetVisible(DialogView& view, int control, bool visible) {
    if (auto* const widget = view.Controls().Get<QWidget>(control)) {
        widget->setVisible(visible);
    }
}

void MoveControl(DialogView& view, int control, int x, int y) {
    if (auto* const widget = view.Controls().Get<QWidget>(control)) {
        widget->move(PixelsOf(view, {x, y, 0, 0}).topLeft());
    }
}

void ResizeDialog(DialogView& view, int width, int height) {
    view.setFixedSize(PixelsOf(view, {0, 0, width, height}).size());
}

std::string ControlText(const DialogView& view, int control) {
    const auto* const widget = view.Controls().Get<QWidget>(control);
    return widget == nullptr ? std::string() : ToUtf8(TextOf(*widget));
}

void SetControlText(DialogView& view, int control, const std::string& text) {
    if (auto* const widget = view.Controls().Get<QWidget>(control)) {
        SetTextOf(*widget, FromUtf8(text));
    }
}

void SetListItems(DialogView& view, int list, std::span<const std::string> items) {
    auto* const box = view.Controls().Get<QComboBox>(list);
    if (box == nullptr) {
        return;
    }
    const QSignalBlocker quiet(box);
    box->clear();
    for (const auto& item : items) {
        box->addItem(FromUtf8(item));
    }
    box->setCurrentIndex(items.empty() ? -1 : 0);
}

int SelectedIndex(const DialogView& view, int list) {
    const auto* const box = view.Controls().Get<QComboBox>(list);
    return box == nullptr ? -1 : box->currentIndex();
}

void SelectIndex(DialogView& view, int list, int index) {
    auto* const box = view.Controls().Get<QComboBox>(list);
    if (box == nullptr) {
        return;
    }
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
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

void OpenModelessDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                        DialogLogic& logic) {
    owner.OpenModeless(dialog_template, logic);
}

} // namespace orvelin
