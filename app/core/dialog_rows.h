// A dialog that hides whole rows of its template closes them up: the rows
// below move up and the dialog shrinks, so that its size follows what it
// shows rather than leaving a hole where the hidden rows were.
#ifndef ORVELIN_DIALOG_ROWS_H
#define ORVELIN_DIALOG_ROWS_H

#include "dialog_template.h"
#include "dialog_view.h"

#include <set>

namespace orvelin {

// A row is a run of controls whose template rectangles overlap vertically.
// A row whose every control is in `hidden` gives up its place, down to the
// next row's top; every other row is placed at its template position less
// the places given up above it. A control that must move needs an
// identifier of its own (IDC_STATIC ones cannot be named to the view).
void CloseUpHiddenRows(DialogView& view, const res::DialogTemplate& dialog_template,
                       const std::set<int>& hidden);

} // namespace orvelin

#endif
