#include "dialog_builder.h"

#include "hex_edit.h"
#include "resource.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
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
    case ControlKind::label:
    case ControlKind::right_label: {
        auto* label = new QLabel(Text(control.caption), parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(
            (control.kind == ControlKind::right_label ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignTop);
        return label;
    }
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

void AttachBuddies(const res::DialogTemplate& dialog_template, const Controls& built) {
    for (std::size_t i = 0; i < built.in_order.size(); ++i) {
        const int buddy = dialog_template.controls[i].buddy;
        if (buddy >= 0) {
            // Only labels carry a buddy, and MakeControl makes every label a QLabel.
            qobject_cast<QLabel*>(built.in_order[i])->setBuddy(built.by_id.at(buddy));
        }
    }
}

int DialogUnits::X(int units) const {
    return MulDiv(units, base_x, 4);
}
int DialogUnits::Y(int units) const {
    return MulDiv(units, base_y, 8);
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

BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialog_template,
                        const QIcon& icon) {
    dialog.setFont(DialogFont(dialog_template));
    dialog.setWindowTitle(Text(dialog_template.caption));
    const DialogUnits units = DialogUnitsOf(dialog.font());
    Controls built;
    for (const auto& control : dialog_template.controls) {
        QWidget* const widget = MakeControl(control, &dialog, icon);
        const auto& r = control.rect;
        widget->setGeometry(units.X(r.x), units.Y(r.y), units.X(r.width), units.Y(r.height));
        SetFocusPolicy(*widget, control);
        if (control.id != res::IDC_STATIC) {
            widget->setObjectName(QString::number(control.id));
            built.by_id.emplace(control.id, widget);
        }
        built.in_order.push_back(widget);
    }
    ChainTabStops(dialog_template, built);
    AttachBuddies(dialog_template, built);
    dialog.setFixedSize(units.X(dialog_template.width), units.Y(dialog_template.height));
    return BuiltDialog(std::move(built.by_id));
}

} // namespace orvelin
