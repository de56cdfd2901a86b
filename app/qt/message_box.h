// The framework's message box: modal, OK only, no icon, captioned with the
// application's name (the program file's name).
#ifndef ORVELIN_MESSAGE_BOX_H
#define ORVELIN_MESSAGE_BOX_H

#include <string>

class QWidget;

namespace orvelin {

// Returns when the operator has closed the box. A null owner gives the
// application's own box, as for the binding failure.
void MessageBox(QWidget* owner, const std::string& text);

// The application's message box, with no owner.
void AfxMessageBox(const std::string& text);

} // namespace orvelin

#endif
