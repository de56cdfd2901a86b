// The application object and the order of start-up.
#ifndef ORVELIN_ORVELIN_APP_H
#define ORVELIN_ORVELIN_APP_H

class QDialog;

class COrvelinApp {
  public:
    COrvelinApp() = default;

    // Runs the main window modally and returns false, so that the program
    // ends when it closes.
    bool InitInstance();

    QDialog* MainWindow() const { return m_pMainWnd; }

  private:
    QDialog* m_pMainWnd = nullptr;
};

namespace orvelin {

// Start-up after the toolkit exists: the application unit's binding table,
// the application object, the main-window unit's binding table, then
// InitInstance. A failed binding shows one message and exits with -1 before
// any window is shown. Returns the program's exit status.
int RunOrvelin();

} // namespace orvelin

#endif
