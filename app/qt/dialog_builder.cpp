#include "dialog_builder.h"

#include "hex_edit.h"
#include "resource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace orvelin {
namespace {

using res::ControlKind;
using res::ControlTemplate;

// Horizontal base unit: the average width of the Latin letters; vertical:
// the font's height. x dialog units are x * base / 4 pixels, y are y * base / 8.
struct DialogUnits {
    int base_x = 0;
    int base_y = 0;

    int X(int units) const;
    int Y(int units) const;
    QRect Pixels(const res::Rect& rect) const;
};

struct Controls {
    std::map<int, QWidget*> by_id;
    std::vector<QWidget*> in_order;
};

// Windows rounds dialog-unit conversions to the nearest pixel.
int MulDiv(int value, int numerator, int denominator) {
    return (value * numerator + denominator / 2) / denominator;
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLabel* MakeLabel(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(Text(control.caption), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(
        (control.kind == ControlKind::right_label ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    return label;
}

QLineEdit* MakeReadOnlyEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

// Read only, yet selectable by keyboard too, so that the text can be copied;
// Tab leaves it, as it leaves any other control of a dialog.
QPlainTextEdit* MakeReadOnlyText(QWidget* parent) {
    auto* text = new QPlainTextEdit(parent);
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setTabChangesFocus(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return text;
}

// Lines kept whole in a fixed-pitch face, so that columns of steps line up.
QPlainTextEdit* MakeMultiLineText(QWidget* parent) {
    auto* text = MakeReadOnlyText(parent);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(parent->font().pointSizeF());
    text->setFont(fixed);
    return text;
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent, const QIcon& icon) {
    switch (control.kind) {
    case ControlKind::default_push_button: {
        auto* button = new QPushButton(Text(control.caption), parent);
        button->setDefault(true);
        return button;
    }
    case ControlKind::push_button:
        return new QPushButton(Text(control.caption), parent);
    case ControlKind::edit:
        return new CHexEdit(parent);
    case ControlKind::plain_edit:
        return new QLineEdit(parent);
    case ControlKind::read_only_edit:
        return MakeReadOnlyEdit(parent);
    case ControlKind::multi_line_text:
        return MakeMultiLineText(parent);
    case ControlKind::wrapped_text:
        return MakeReadOnlyText(parent);
    case ControlKind::drop_down_list:
        return new QComboBox(parent);
    case ControlKind::label:
    case ControlKind::right_label:
        return MakeLabel(control, parent);
    case ControlKind::auto_check_box:
        return new QCheckBox(Text(control.caption), parent);
    case ControlKind::auto_radio_button:
        return new QRadioButton(Text(control.caption), parent);
    case ControlKind::icon: {
        auto* label = new QLabel(parent);
        label->setPixmap(icon.pixmap(32, 32));
        return label;
    }
    }
    return nullptr;
}

void SetFocusPolicy(QWidget& widget, const ControlTemplate& control) {
    if (control.tab_stop) {
        widget.setFocusPolicy(Qt::StrongFocus);
    } else if (control.kind == ControlKind::auto_radio_button) {
        widget.setFocusPolicy(Qt::ClickFocus);
    } else {
        widget.setFocusPolicy(Qt::NoFocus);
    }
}

void ChainTabStops(const res::DialogTemplate& dialog_template, const Controls& built) {
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < built.in_order.size(); ++i) {
        if (!dialog_template.controls[i].tab_stop) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, built.in_order[i]);
        }
        previous = built.in_order[i];
    }
}

// A template naming a buddy it lacks, or giving one to anything but a label,
// gets no buddy there.
void AttachBuddies(const res::DialogTemplate& dialog_template, const Controls& built) {
    for (std::size_t i = 0; i < built.in_order.size(); ++i) {
        auto* const label = qobject_cast<QLabel*>(built.in_order[i]);
        const auto buddy = built.by_id.find(dialog_template.controls[i].buddy);
        if (label != nullptr && buddy != built.by_id.end()) {
            label->setBuddy(buddy->second);
        }
    }
}

int DialogUnits::X(int units) const {
    return MulDiv(units, base_x, 4);
}
int DialogUnits::Y(int units) const {
    return MulDiv(units, base_y, 8);
}
QRect DialogUnits::Pixels(const res::Rect& rect) const {
    return {X(rect.x), Y(rect.y), X(rect.width), Y(rect.height)};
}

DialogUnits DialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

QFont DialogFont(const res::DialogTemplate& dialog_template) {
    return QFont(Text(dialog_template.font_face), dialog_template.font_points);
}

} // namespace

QRect PixelsOf(const QDialog& dialog, const res::Rect& dialog_units) {
    return DialogUnitsOf(dialog.font()).Pixels(dialog_units);
}

BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialog_template,
                        const QIcon& icon) {
    dialog.setFont(DialogFont(dialog_template));
    dialog.setWindowTitle(Text(dialog_template.caption));
    const DialogUnits units = DialogUnitsOf(dialog.font());
    Controls built;
    for (const auto& control : dialog_template.controls) {
        QWidget* const widget = MakeControl(control, &dialog, icon);
        widget->setGeometry(units.Pixels(control.rect));
        SetFocusPolicy(*widget, control);
        if (control.id != res::IDC_STATIC) {
            widget->setObjectName(QString::number(control.id));
            built.by_id.emplace(control.id, widget);
        }
        built.in_order.push_back(widget);
    }
    ChainTabStops(dialog_template, built);
    AttachBuddies(dialog_template, built);
    dialog.setFixedSize(units.Pixels({0, 0, dialog_template.width, dialog_template.height}).size());
    return BuiltDialog(std::move(built.by_id));
}

} // namespace orvelin
