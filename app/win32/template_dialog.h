// A dialog of app/res as the Win32 dialog manager makes it from its template
// in memory, run by its logic in the core: the view that logic reaches its
// controls through. Every edit control is a hex field; a click on any button
// or box goes to the logic by identifier.
#ifndef ORVELIN_WIN32_TEMPLATE_DIALOG_H
#define ORVELIN_WIN32_TEMPLATE_DIALOG_H

#include "dialog_template.h"
#include "dialog_view.h"
#include "hex_edit.h"

#include <windows.h>

#include <map>

namespace orvelin {

class DialogView {
  public:
    // `logic` must outlive the dialog. An application window shows on the
    // taskbar though it has no owner's.
    DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic, bool app_window);
    virtual ~DialogView() = default;
    DialogView(const DialogView&) = delete;
    DialogView& operator=(const DialogView&) = delete;

    // Shows the window and runs it until it closes; the EndDialog value.
    INT_PTR DoModal(HWND owner = nullptr);
    // The window created and initialised but hidden, without a loop of its
    // own; the caller shows or destroys it. Null when it could not be made.
    HWND Create(HWND owner = nullptr);
    HWND GetSafeHwnd() const { return m_hWnd; }

    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    CHexEdit& Field(int id) { return fields_.at(id); }
    const CHexEdit& Field(int id) const { return fields_.at(id); }

  protected:
    // Every message of the window, FALSE for the default handling. This one
    // binds the fields and runs the logic's initialisation, passes clicks to
    // the logic and ends the dialog on cancel.
    virtual INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    virtual void OnCancel();

    HWND m_hWnd = nullptr;

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
    void SubclassFields();

    const res::DialogTemplate& template_;
    DialogLogic& logic_;
    bool app_window_;
    std::map<int, CHexEdit> fields_;
};

} // namespace orvelin

#endif
