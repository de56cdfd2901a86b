// The dialogs open on a page: each a DialogView the module made, named to the
// page by its number, driven by its logic. A dialog that closes while its
// logic runs stays in memory until that event has been handled, so that no
// call of the logic reaches a view that has gone.
#ifndef ORVELIN_WEB_DIALOGS_H
#define ORVELIN_WEB_DIALOGS_H

#include "dialog_view.h"

#include <map>
#include <memory>
#include <vector>

namespace orvelin {

namespace web {
class Dialogs;
}

// How the page shows a dialog: its main window, modal over the page, or
// beside its owner with the owner still usable.
enum class DialogMode { main, modal, modeless };

class DialogView {
  public:
    DialogView(web::Dialogs& dialogs, int handle, DialogLogic& logic, DialogMode mode)
        : dialogs_(dialogs), handle_(handle), logic_(logic), mode_(mode) {}
    DialogView(const DialogView&) = delete;
    DialogView& operator=(const DialogView&) = delete;

    web::Dialogs& Dialogs() const { return dialogs_; }
    int Handle() const { return handle_; }
    DialogLogic& Logic() const { return logic_; }
    DialogMode Mode() const { return mode_; }

  private:
    web::Dialogs& dialogs_;
    int handle_;
    DialogLogic& logic_;
    DialogMode mode_;
};

namespace web {

class Dialogs {
  public:
    // Has the page build the dialog (beside `owner`; the main window has
    // none), then runs the logic's initialisation.
    DialogView& Open(const DialogView* owner, const res::DialogTemplate& dialog_template,
                     DialogLogic& logic, DialogMode mode);
    // The open dialog with this number; null when it has closed or never was.
    DialogView* Find(int handle) const;
    // The open dialog `logic` drives, else null.
    DialogView* OpenFor(const DialogLogic& logic) const;
    // Takes the dialog off the page; the object lasts until ReleaseClosed.
    void Close(const DialogView& view);
    // Frees the dialogs closed since the last call: once an event is handled.
    void ReleaseClosed();

  private:
    std::map<int, std::unique_ptr<DialogView>> open_;
    std::vector<std::unique_ptr<DialogView>> closed_;
    int next_handle_ = 1;
};

} // namespace web
} // namespace orvelin

#endif
