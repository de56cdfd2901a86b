// The main window on Win32: the core's behaviour over a dialog made from
// template 102, with the program's icon, drawn when minimised, and the about
// and card-practice entries of its system menu.
#ifndef ORVELIN_WIN32_ORVELIN_DLG_H
#define ORVELIN_WIN32_ORVELIN_DLG_H

#include "card_practice_dlg.h"
#include "orvelin_dlg_logic.h"
#include "template_dialog.h"

#include <windows.h>

class COrvelinDlg : public orvelin::OrvelinDlgLogic, public orvelin::DialogView {
  public:
    // The operations call through `library`, which must outlive the window.
    explicit COrvelinDlg(const orvelin::TavikAlgBinding& library);

  private:
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void AppendMenuEntries();
    bool OnSysCommand(UINT id, LPARAM parameter);
    bool OnPaint();
    HICON OnQueryDragIcon() const { return m_hIcon; }

    HICON m_hIcon = nullptr;
    CCardPracticeDlg m_cardPractice;
};

namespace orvelin::win32 {

// The main-window unit's own binding table, bound on the first call: a
// failure shows its message and ends the program.
const TavikAlgBinding& MainWindowUnitLibrary();

} // namespace orvelin::win32

#endif
