#include "dialogs.h"

#include "imports.h"

namespace orvelin::web {

DialogView& Dialogs::Open(const DialogView* owner, const res::DialogTemplate& dialog_template,
                          DialogLogic& logic, DialogMode mode) {
    const int handle = next_handle_++;
    auto& view = *open_.emplace(handle, std::make_unique<DialogView>(*this, handle, logic, mode))
                      .first->second;
    orvelin_import_open_dialog(owner == nullptr ? 0 : owner->Handle(), handle, dialog_template.id,
                               mode == DialogMode::modal ? 1 : 0);
    logic.OnInitDialog(view);
    return view;
}

DialogView* Dialogs::Find(int handle) const {
    const auto found = open_.find(handle);
    return found == open_.end() ? nullptr : found->second.get();
}

DialogView* Dialogs::OpenFor(const DialogLogic& logic) const {
    for (const auto& [handle, view] : open_) {
        if (&view->Logic() == &logic) {
            return view.get();
        }
    }
    return nullptr;
}

void Dialogs::Close(const DialogView& view) {
    const auto found = open_.find(view.Handle());
    if (found == open_.end()) {
        return;
    }
    orvelin_import_close_dialog(view.Handle());
    closed_.push_back(std::move(found->second));
    open_.erase(found);
}

void Dialogs::ReleaseClosed() {
    closed_.clear();
}

} // namespace orvelin::web
