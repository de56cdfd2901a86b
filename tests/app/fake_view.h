// A fake of the view for the dialogs' logic: the controls of one template as
// plain values. Every call checks that the control is in that template and
// of a kind the call serves, as a toolkit's view would need it.
#ifndef ORVELIN_TESTS_FAKE_VIEW_H
#define ORVELIN_TESTS_FAKE_VIEW_H

#include "dialog_template.h"
#include "dialog_view.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace orvelin {

class DialogView {
  public:
    explicit DialogView(const res::DialogTemplate& dialog_template = res::MainDialogTemplate())
        : dialog(&dialog_template) {}

    const res::DialogTemplate* dialog;
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    std::set<int> disabled;
    std::set<int> hidden;
    std::map<int, std::pair<int, int>> moved_to; // x, y dialog units
    std::pair<int, int> size{dialog->width, dialog->height};
    std::map<int, std::vector<std::string>> items;
    std::map<int, int> chosen;
    std::vector<std::string> messages;
    int focus = 0;
    bool closed = false;
    // Modeless dialogs opened beside this one, by their logic; how often an
    // open one was brought to the front.
    std::map<const DialogLogic*, std::unique_ptr<DialogView>> modeless;
    int raised = 0;
};

} // namespace orvelin

#endif
