// Makes a dialog's widgets from its template, converting dialog units with
// the dialog font's metrics as Windows does.
#ifndef ORVELIN_DIALOG_BUILDER_H
#define ORVELIN_DIALOG_BUILDER_H

#include "dialog_template.h"

#include <QIcon>
#include <QWidget>

#include <map>

class QDialog;

namespace orvelin {

// The controls of a built dialog that have an identifier of their own.
class BuiltDialog {
  public:
    BuiltDialog() = default;
    explicit BuiltDialog(std::map<int, QWidget*> by_id) : by_id_(std::move(by_id)) {}

    // The control with this identifier as the kind the caller expects; null
    // when the dialog has none such, a programming error the caller ignores.
    template <typename Widget>
    Widget* Get(int id) const noexcept {
        const auto found = by_id_.find(id);
        return found == by_id_.end() ? nullptr : qobject_cast<Widget*>(found->second);
    }

  private:
    std::map<int, QWidget*> by_id_;
};

// Builds every control on `dialog` in template order: geometry, captions,
// tab order, default button, label buddies; fixes the dialog's size and
// caption. Edits are hex fields, plain edits QLineEdits, multi-line and
// wrapped texts read-only QPlainTextEdits (the first unwrapped, in the
// fixed-pitch font), drop-down lists QComboBoxes; icon controls show `icon`.
BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialog_template,
                        const QIcon& icon);

// A rectangle in the dialog units of a dialog BuildDialog made, in its pixels.
QRect PixelsOf(const QDialog& dialog, const res::Rect& dialog_units);

} // namespace orvelin

#endif
