#include "orvelin_dlg.h"

#include "about_dlg.h"
#include "program_icon.h"
#include "resource.h"
#include "string_table.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace res = orvelin::res;

namespace {

constexpr unsigned kSystemCommandMask = 0xFFF0;

} // namespace

COrvelinDlg::COrvelinDlg(const orvelin::TavikAlgBinding& library, QWidget* parent)
    : OrvelinDlgLogic(library), DialogView(res::MainDialogTemplate(), *this, parent),
      m_hIcon(orvelin::ProgramIcon()) {
    AppendAboutEntry();
    setWindowIcon(m_hIcon);
}

COrvelinDlg::~COrvelinDlg() = default;

void COrvelinDlg::AppendAboutEntry() {
    const QString about = QString::fromStdString(res::LoadResourceString(res::IDS_ABOUTBOX));
    if (!about.isEmpty()) {
        m_systemMenu = new QMenu(this);
        m_systemMenu->addSeparator();
        QAction* const entry = m_systemMenu->addAction(about);
        connect(entry, &QAction::triggered, this, [this] { OnSysCommand(res::IDM_ABOUTBOX, 0); });
    }
}

void COrvelinDlg::OnSysCommand(unsigned id, std::intptr_t /*parameter*/) {
    if ((id & kSystemCommandMask) == res::IDM_ABOUTBOX) {
        CAboutDlg{}.DoModal(*this);
    }
    // Move, minimise and close belong to the window manager here.
}

void COrvelinDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (m_systemMenu != nullptr) {
        m_systemMenu->exec(event->globalPos());
    }
}

void COrvelinDlg::OnCancel() {
    QDialog::reject();
}

void COrvelinDlg::reject() {
    OnCancel();
}
