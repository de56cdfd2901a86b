// Makes a dialog's widgets from its template, converting dialog units with
// the dialog font's metrics as Windows does.
#ifndef ORVELIN_DIALOG_BUILDER_H
#define ORVELIN_DIALOG_BUILDER_H

#include "dialog_template.h"

#include <QFont>
#include <QIcon>

#include <functional>
#include <map>
#include <vector>

class QDialog;
class QWidget;

namespace orvelin {

// Horizontal base unit: the average width of the Latin letters; vertical:
// the font's height. x dialog units are x * base / 4 pixels, y are y * base / 8.
struct DialogUnits {
    int base_x = 0;
    int base_y = 0;

    int X(int units) const;
    int Y(int units) const;
};

DialogUnits DialogUnitsOf(const QFont& font);

// The dialog font, falling back through the platform's font matching.
QFont DialogFont(const res::DialogTemplate& dialog_template);

struct BuiltDialog {
    std::map<int, QWidget*> by_id; // controls with an identifier of their own
    std::vector<QWidget*> in_order;
};

using EditFactory = std::function<QWidget*(QWidget* parent)>;

// Builds every control on `dialog` in template order: geometry, captions,
// tab order, default button, label buddies; fixes the dialog's size and
// caption. Edits come from `make_edit`; icon controls show `icon`.
BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialog_template,
                        const EditFactory& make_edit, const QIcon& icon);

} // namespace orvelin

#endif
