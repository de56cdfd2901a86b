#include "about_dlg.h"

#include "dialog_builder.h"
#include "program_icon.h"
#include "resource.h"

#include <QAbstractButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const auto built =
        orvelin::BuildDialog(*this, orvelin::res::AboutDialogTemplate(), orvelin::ProgramIcon());
    // The box has no handler for its button; letting it close the box is what
    // an operator expects of "确定".
    const auto* ok = built.Get<QAbstractButton>(orvelin::res::IDC_ABOUT_OK);
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
}
