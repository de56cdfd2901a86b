// A dialog of app/res as the Win32 dialog manager makes it from its template
// in memory, run by its logic in the core: the view that logic reaches its
// controls through. Every edit control is a hex field; a click on any button
// or box, and the operator's edit of a field or choice in a list, go to the
// logic by identifier.
#ifndef ORVELIN_WIN32_TEMPLATE_DIALOG_H
#define ORVELIN_WIN32_TEMPLATE_DIALOG_H

#include "dialog_template.h"
#include "dialog_view.h"
#include "hex_edit.h"
#include "modeless_keys.h"

#include <windows.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <optional>

namespace orvelin {

class DialogView {
  public:
    // `logic` must outlive the dialog. An application window shows on the
    // taskbar though it has no owner's.
    DialogView(const res::DialogTemplate& dialog_template, DialogLogic& logic, bool app_window);
    virtual ~DialogView();
    DialogView(const DialogView&) = delete;
    DialogView& operator=(const DialogView&) = delete;

    // Shows the window and runs it until it closes; the EndDialog value.
    INT_PTR DoModal(HWND owner = nullptr);
    // The window created and initialised but hidden, without a loop of its
    // own; the caller shows or destroys it. Null when it could not be made.
    HWND Create(HWND owner = nullptr);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The control with this identifier; null for one the template lacks.
    HWND Item(int id) const;
    // The control, when the template makes it one of `kinds`; else null.
    HWND ItemOfKind(int id, std::initializer_list<res::ControlKind> kinds) const;
    // The hex field with this identifier; null when there is none.
    CHexEdit* Field(int id);
    const CHexEdit* Field(int id) const;

    // Runs the logic's own change of the controls: their notifications of
    // it are not the operator's, so they do not reach OnChange.
    template <typename Change>
    void Quietly(Change change) {
        const bool was_quiet = quiet_;
        quiet_ = true;
        change();
        quiet_ = was_quiet;
    }

    // Ends a modal run with `result`; destroys a modeless window.
    void Close(int result);
    // The modeless dialog of `logic` this one owns while it is open, else null.
    DialogView* ModelessOf(const DialogLogic& logic) const;
    // Opens the modeless dialog of `logic` beside this one, or brings it to
    // the front when it is open.
    void OpenModeless(const res::DialogTemplate& dialog_template, DialogLogic& logic);

  protected:
    // Every message of the window, FALSE for the default handling. This one
    // binds the fields and runs the logic's initialisation, passes clicks and
    // the operator's changes to the logic and closes the dialog on cancel.
    virtual INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    virtual void OnCancel();

    HWND m_hWnd = nullptr;

  private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam,
                                       LPARAM lparam) noexcept;
    std::optional<res::ControlKind> KindOf(int id) const;
    bool OnControlCommand(int id, UINT notification);
    void SubclassFields();
    void SetFixedPitchFont();
    HWND CreateModeless(HWND owner);
    void Released();

    const res::DialogTemplate& template_;
    DialogLogic& logic_;
    bool app_window_;
    bool modeless_ = false;
    bool quiet_ = false;
    std::map<int, CHexEdit> fields_;
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> fixed_pitch_font_;
    std::unique_ptr<win32::ModelessKeys> modeless_keys_;
    // Each kept after it closes, to be opened again for the same logic.
    std::map<const DialogLogic*, std::unique_ptr<DialogView>> modeless_dialogs_;
};

} // namespace orvelin

#endif
