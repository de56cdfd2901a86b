// What a dialog's logic asks of the window that shows it, and nothing more:
// a dialog of app/res as one toolkit made it, its controls named by their
// identifiers. Each window library defines DialogView and these functions;
// only one window is linked into a program, so the seam is the linker's.
#ifndef ORVELIN_DIALOG_VIEW_H
#define ORVELIN_DIALOG_VIEW_H

#include "dialog_template.h"

#include <cstdint>
#include <span>
#include <string>

namespace orvelin {

class DialogView;
class DialogLogic;

// Every call names a control by its identifier. An identifier the dialog
// lacks, or a control of another kind than the call needs, is a programming
// error that the call ignores: a read gives the empty answer.
//
// A front end may be unable to wait for the operator (a browser page): a
// message box or another dialog is opened, the call returns, and the logic
// goes on at its next event. So the logic must not rely on anything after
// ShowMessageBox or RunModalDialog having waited for the box to close.

// A hex field's text in the program's 8-bit character set.
std::string FieldText(const DialogView& view, int field);
// A hex field shows the bytes as two upper-case digits each.
void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes);
bool IsChecked(const DialogView& view, int button);
void SetChecked(DialogView& view, int button, bool checked);
void SetEnabled(DialogView& view, int control, bool enabled);
void SetFocusTo(DialogView& view, int control);
void SetVisible(DialogView& view, int control, bool visible);
// Moves a control's top-left corner to (x, y) dialog units; its size stays.
void MoveControl(DialogView& view, int control, int x, int y);
// Makes the dialog's client area `width` by `height` dialog units; where the
// dialog stands on the screen stays.
void ResizeDialog(DialogView& view, int width, int height);

// The text of a control that shows one (a field of any kind, a multi-line
// text, a label, a button's or box's caption), UTF-8.
std::string ControlText(const DialogView& view, int control);
// Replaces it. A label's new text names its buddy field to assistive
// technology too. Never reported to the logic as the operator's change.
void SetControlText(DialogView& view, int control, const std::string& text);

// A drop-down list's items replace its old ones; the first is chosen.
void SetListItems(DialogView& view, int list, std::span<const std::string> items);
// The chosen item's index, -1 when none.
int SelectedIndex(const DialogView& view, int list);
// Chooses that item; an index out of range chooses none. Never reported to
// the logic as the operator's change.
void SelectIndex(DialogView& view, int list, int index);

// One modal box owned by the dialog: OK only, no icon, the application's
// name as caption. Where the toolkit can, returns when the operator has
// closed it; the logic must not rely on that.
void ShowMessageBox(DialogView& view, const std::string& text);
// Runs another dialog of app/res, driven by `logic`, modally over `owner`.
// Where the toolkit waits, returns the value it ended with; a front end that
// cannot wait returns 0 at once, so the logic must not rely on either.
int RunModalDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                   DialogLogic& logic);
// Ends a dialog run modally, with `result`; closes a modeless one.
void CloseDialog(DialogView& view, int result);
// Opens another dialog of app/res, driven by `logic`, beside `owner`, which
// stays usable; when that logic's dialog is open already, brings it to the
// front instead. Escape or the close box closes it; opened again, it is made
// anew and initialised by the same logic, which keeps its own state. `logic`
// must outlive the dialog, which closes at the latest with `owner`.
void OpenModelessDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                        DialogLogic& logic);

// A control of a dialog that its logic keeps as a member, bound to its
// identifier when the dialog's controls are exchanged.
class DialogControl {
  public:
    friend void DDX_Control(DialogView& view, int id, DialogControl& control) {
        control.view_ = &view;
        control.id_ = id;
    }

  protected:
    DialogView& View() const { return *view_; }
    int Id() const { return id_; }

  private:
    DialogView* view_ = nullptr;
    int id_ = 0;
};

// A push button, check box or radio button.
class ButtonControl : public DialogControl {
  public:
    bool GetCheck() const { return IsChecked(View(), Id()); }
};

// A hex-entry field.
class HexField : public DialogControl {
  public:
    std::string Text8() const { return FieldText(View(), Id()); }
    void SetBytes(std::span<const std::uint8_t> bytes) const { ShowBytes(View(), Id(), bytes); }
};

// What a dialog of app/res does, free of any toolkit: its window calls these
// on its events.
class DialogLogic {
  public:
    virtual ~DialogLogic() = default;

    // The controls exist: bind them and set the start-up state, focus
    // included. `view` serves every later call until the dialog closes.
    virtual void OnInitDialog(DialogView& view) = 0;
    // A click on control `id`, after an automatic box has toggled itself.
    // False when the dialog has no handler for it.
    virtual bool OnCommand(int id) = 0;
    // The operator edited field `id` or chose another item of drop-down list
    // `id`; the logic's own calls never report here, so it cannot loop.
    virtual void OnChange(int /*id*/) {}
};

} // namespace orvelin

#endif
