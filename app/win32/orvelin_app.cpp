// The application unit: start-up order and the program's entry.
#include "orvelin_app.h"

#include "message_box.h"
#include "orvelin_dlg.h"
#include "start_up.h"

BOOL COrvelinApp::InitInstance(const orvelin::TavikAlgBinding& window_unit_library) const {
    COrvelinDlg dialog(window_unit_library);
    dialog.DoModal(); // whatever it returns, the window has closed
    return FALSE;
}

namespace {

// Static initialisation, before any window and in this order, as C++ orders
// the globals of one file: the application unit's table, the application
// object, then the main-window unit's table. A failed binding shows its one
// message and ends the program with -1 before the next step.
[[maybe_unused]] const orvelin::TavikAlgBinding applicationUnitLibrary =
    orvelin::BindAtStartUp(orvelin::kTavikAlgFileName, orvelin::win32::ShowApplicationMessage);
const COrvelinApp theApp;
const orvelin::TavikAlgBinding& windowUnitLibrary = orvelin::win32::MainWindowUnitLibrary();

} // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
    theApp.InitInstance(windowUnitLibrary);
    return 0;
}
