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
      m_hIcon(orvelin::ProgramIcon()), m_cardPractice(library) {
    AppendMenuEntries();
    setWindowIcon(m_hIcon);
}

// The card-practice dialog goes first, while its logic, a member, is still
// there: children go only after the members.
COrvelinDlg::~COrvelinDlg() {
    qDeleteAll(findChildren<QDialog*>(Qt::FindDirectChildrenOnly));
}

void COrvelinDlg::AppendMenuEntries() {
    AppendEntry(res::IDS_ABOUTBOX, res::IDM_ABOUTBOX);
    AppendEntry(res::IDS_CARDPRACTICE, res::IDM_CARD_PRACTICE);
}

void COrvelinDlg::AppendEntry(int text_id, unsigned command) {
    const QString text = QString::fromStdString(res::LoadResourceString(text_id));
    if (text.isEmpty()) {
        return;
    }
    if (m_systemMenu == nullptr) {
        m_systemMenu = new QMenu(this);
        m_systemMenu->addSeparator();
    }
    QAction* const entry = m_systemMenu->addAction(text);
    connect(entry, &QAction::triggered, this, [this, command] { OnSysCommand(command, 0); });
}

void COrvelinDlg::OnSysCommand(unsigned id, std::intptr_t /*parameter*/) {
    switch (id & kSystemCommandMask) {
    case res::IDM_ABOUTBOX:
        CAboutDlg{}.DoModal(*this);
        break;
    case res::IDM_CARD_PRACTICE:
        m_cardPractice.OpenBeside(*this);
        break;
    default:
        break;
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
