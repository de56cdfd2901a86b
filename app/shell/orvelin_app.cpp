#include "orvelin_app.h"

#include "message_box.h"
#include "orvelin_dlg.h"
#include "tavik_alg_binding.h"

namespace {

// Bound at start-up and never called: the main window calls through its own.
const orvelin::TavikAlgBinding& ApplicationUnitLibrary() {
    static const orvelin::TavikAlgBinding binding(orvelin::kTavikAlgFileName,
                                                  orvelin::AfxMessageBox);
    return binding;
}

} // namespace

bool COrvelinApp::InitInstance() {
    // The dialogs hold only standard controls: nothing to enable for embedded ones.
    COrvelinDlg dialog(nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal(); // whatever it returns, the window has closed
    m_pMainWnd = nullptr;
    return false;
}

namespace orvelin {

int RunOrvelin() {
    ApplicationUnitLibrary();
    COrvelinApp application;
    COrvelinDlg::Library();
    application.InitInstance();
    return 0;
}

} // namespace orvelin
