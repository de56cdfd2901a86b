#include "about_dlg.h"

#include "resource.h"

namespace res = orvelin::res;

int CAboutDlg::DoModal(orvelin::DialogView& owner) {
    return orvelin::RunModalDialog(owner, res::AboutDialogTemplate(), *this);
}

void CAboutDlg::OnInitDialog(orvelin::DialogView& view) {
    m_view = &view;
    orvelin::SetFocusTo(view, res::IDC_ABOUT_OK);
}

// The box has no handler for its button; letting it close the box is what an
// operator expects of "确定".
bool CAboutDlg::OnCommand(int id) {
    if (id != res::IDC_ABOUT_OK) {
        return false;
    }
    orvelin::CloseDialog(*m_view, id);
    return true;
}
