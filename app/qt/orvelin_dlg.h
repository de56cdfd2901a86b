// The main window on Qt: the core's behaviour over a dialog built from
// template 102, with the program's icon, and the about and card-practice
// entries of its menu.
#ifndef ORVELIN_ORVELIN_DLG_H
#define ORVELIN_ORVELIN_DLG_H

#include "card_practice_dlg.h"
#include "orvelin_dlg_logic.h"
#include "template_dialog.h"

#include <QIcon>

#include <cstdint>

class QMenu;

class COrvelinDlg : public orvelin::OrvelinDlgLogic, public orvelin::DialogView {
  public:
    // The operations call through `library`, which must outlive the window.
    explicit COrvelinDlg(const orvelin::TavikAlgBinding& library, QWidget* parent = nullptr);
    ~COrvelinDlg() override;

    int DoModal() { return exec(); }

    // Commands of the window menu: the about entry is 0x0010, card practice
    // 0x0020.
    void OnSysCommand(unsigned id, std::intptr_t parameter);
    // Linux window managers own the title-bar menu, so the window's own
    // entries open with a right-click on its background.
    QMenu* SystemMenu() const { return m_systemMenu; }

  protected:
    void OnCancel();
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void AppendMenuEntries();
    void AppendEntry(int text_id, unsigned command);

    QIcon m_hIcon;
    QMenu* m_systemMenu = nullptr;
    CCardPracticeDlg m_cardPractice;
};

#endif
