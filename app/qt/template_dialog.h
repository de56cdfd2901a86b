// A dialog of app/res as Qt shows it, run by its logic in the core: the view
// that logic reaches its controls through. Its widgets are made from the
// template; a click on any button or box goes to the logic by identifier.
#ifndef ORVELIN_TEMPLATE_DIALOG_H
#define ORVELIN_TEMPLATE_DIALOG_H

#include "dialog_builder.h"
#include "dialog_view.h"

#include <QDialog>

namespace orvelin {

class DialogView : public QDialog {
  public:
    // Builds the template and runs the logic's initialisation; `logic` must
    // outlive the dialog.
    DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic, QWidget* parent);

    const BuiltDialog& Controls() const { return controls_; }

  private:
    BuiltDialog controls_;
};

} // namespace orvelin

#endif
