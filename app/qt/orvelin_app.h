// The application object and the order of start-up.
#ifndef ORVELIN_ORVELIN_APP_H
#define ORVELIN_ORVELIN_APP_H

#include "tavik_alg_binding.h"

class QDialog;

class COrvelinApp {
  public:
    COrvelinApp() = default;

    // Runs the main window modally over the main-window unit's table and
    // returns false, so that the program ends when it closes.
    bool InitInstance(const orvelin::TavikAlgBinding& window_unit_library);

    QDialog* MainWindow() const { return m_pMainWnd; }

  private:
    QDialog* m_pMainWnd = nullptr;
};

namespace orvelin {

// Start-up after the toolkit exists: the application unit's binding table,
// the application object, the main-window unit's binding table, then
// InitInstance. A failed binding shows one message and ends the program
// with kBindingFailureStatus before any window is shown. Returns the
// program's exit status.
int RunOrvelin();

} // namespace orvelin

#endif
