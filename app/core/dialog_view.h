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

// A hex field's text in the program's 8-bit character set.
std::string FieldText(const DialogView& view, int field);
// A hex field shows the bytes as two upper-case digits each.
void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes);
bool IsChecked(const DialogView& view, int button);
void SetChecked(DialogView& view, int button, bool checked);
void SetEnabled(DialogView& view, int control, bool enabled);
void SetFocusTo(DialogView& view, int control);
// One modal box owned by the dialog: OK only, no icon, the application's
// name as caption. Returns when the operator has closed it.
void ShowMessageBox(DialogView& view, const std::string& text);
// Runs another dialog of app/res, driven by `logic`, modally over `owner`;
// the value it ended with.
int RunModalDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                   DialogLogic& logic);
// Ends a dialog run modally, with `result`.
void CloseDialog(DialogView& view, int result);

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
    // included. `view` outlives every later call.
    virtual void OnInitDialog(DialogView& view) = 0;
    // A click on control `id`, after an automatic box has toggled itself.
    // False when the dialog has no handler for it.
    virtual bool OnCommand(int id) = 0;
};

} // namespace orvelin

#endif
