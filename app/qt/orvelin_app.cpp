#include "orvelin_app.h"

#include "message_box.h"
#include "orvelin_dlg.h"
#include "start_up.h"

bool COrvelinApp::InitInstance(const orvelin::TavikAlgBinding& window_unit_library) {
    // The dialogs hold only standard controls: nothing to enable for embedded ones.
    COrvelinDlg dialog(window_unit_library, nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal(); // whatever it returns, the window has closed
    m_pMainWnd = nullptr;
    return false;
}

namespace orvelin {

int RunOrvelin() {
    // Bound and never called: the main window calls through its own table.
    [[maybe_unused]] const TavikAlgBinding application_unit =
        BindAtStartUp(kTavikAlgFileName, AfxMessageBox);
    COrvelinApp application;
    const TavikAlgBinding window_unit = BindAtStartUp(kTavikAlgFileName, AfxMessageBox);
    application.InitInstance(window_unit);
    return 0;
}

} // namespace orvelin
