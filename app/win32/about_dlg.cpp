#include "about_dlg.h"

#include "dialog_template_builder.h"
#include "resource.h"

namespace win32 = orvelin::win32;

INT_PTR CAboutDlg::DoModal(HWND owner) const {
    const auto box = win32::BuildDialogTemplate(orvelin::res::AboutDialogTemplate(), {});
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.Get(), owner,
                                   &CAboutDlg::DialogProc, 0);
}

// The box has no handler for its button; letting it close the box is what an
// operator expects of "确定".
INT_PTR CALLBACK CAboutDlg::DialogProc(HWND dialog, UINT message, WPARAM wparam,
                                       LPARAM /*lparam*/) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        if (id == orvelin::res::IDC_ABOUT_OK || id == IDCANCEL) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}
