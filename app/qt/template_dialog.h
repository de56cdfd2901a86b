// A dialog of app/res as Qt shows it, run by its logic in the core: the view
// that logic reaches its controls through. Its widgets are made from the
// template; a click on any button or box, and the operator's edit of a field
// or choice in a list, go to the logic by identifier.
#ifndef ORVELIN_TEMPLATE_DIALOG_H
#define ORVELIN_TEMPLATE_DIALOG_H

#include "dialog_builder.h"
#include "dialog_view.h"

#include <QDialog>
#include <QPointer>

#include <map>

namespace orvelin {

class DialogView : public QDialog {
  public:
    // Builds the template and runs the logic's initialisation; `logic` must
    // outlive the dialog.
    DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic, QWidget* parent);

    const BuiltDialog& Controls() const { return controls_; }

    // The modeless dialog of `logic` this one owns while it is open, else null.
    DialogView* ModelessOf(const DialogLogic& logic) const;
    // Opens the modeless dialog of `logic` beside this one, or brings it to
    // the front when it is open.
    void OpenModeless(const res::DialogTemplate& dialog_template, DialogLogic& logic);

  private:
    void ConnectEvents(const res::DialogTemplate& dialog_template, DialogLogic& logic);

    BuiltDialog controls_;
    // Each closes itself and is deleted when closed.
    std::map<const DialogLogic*, QPointer<DialogView>> modeless_;
};

} // namespace orvelin

#endif
