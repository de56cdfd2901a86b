#include "page.h"

#include "card_practice_entry.h"
#include "resource.h"
#include "string_table.h"

#include <array>

namespace orvelin::web {
namespace {

constexpr unsigned kSystemCommandMask = 0xFFF0;

} // namespace

Page::Page()
    : library_(TavikAlgBinding::FromLinked()), main_logic_(library_),
      card_practice_(MakeCardPracticeLogic(library_)) {
    const std::array<const res::DialogTemplate*, 3> templates = {
        &res::MainDialogTemplate(), &res::AboutDialogTemplate(),
        &res::CardPracticeDialogTemplate()};
    description_ = PageDescription(templates, Menu());
}

// The about entry as the windows add it, and card practice where the build
// has its dialog.
std::vector<MenuEntry> Page::Menu() const {
    std::vector<MenuEntry> menu{{res::IDM_ABOUTBOX, res::LoadResourceString(res::IDS_ABOUTBOX)}};
    if (card_practice_ != nullptr) {
        menu.push_back({res::IDM_CARD_PRACTICE, res::LoadResourceString(res::IDS_CARDPRACTICE)});
    }
    return menu;
}

void Page::Show() {
    if (main_window_ == nullptr) {
        main_window_ =
            &dialogs_.Open(nullptr, res::MainDialogTemplate(), main_logic_, DialogMode::main);
    }
}

bool Page::Command(int dialog, int id) {
    DialogView* const view = dialogs_.Find(dialog);
    const bool handled = view != nullptr && view->Logic().OnCommand(id);
    dialogs_.ReleaseClosed();
    return handled;
}

void Page::Change(int dialog, int id) {
    if (DialogView* const view = dialogs_.Find(dialog)) {
        view->Logic().OnChange(id);
    }
    dialogs_.ReleaseClosed();
}

void Page::Cancel(int dialog) {
    const DialogView* const view = dialogs_.Find(dialog);
    if (view != nullptr && view->Mode() != DialogMode::main) {
        dialogs_.Close(*view);
    }
    dialogs_.ReleaseClosed();
}

void Page::MenuCommand(unsigned command) {
    if (main_window_ == nullptr) {
        return;
    }
    switch (command & kSystemCommandMask) {
    case res::IDM_ABOUTBOX:
        // Modal: the page is out of reach while the box is open.
        if (dialogs_.OpenFor(about_) == nullptr) {
            about_.DoModal(*main_window_);
        }
        break;
    case res::IDM_CARD_PRACTICE:
        if (card_practice_ != nullptr) {
            OpenModelessDialog(*main_window_, res::CardPracticeDialogTemplate(), *card_practice_);
        }
        break;
    default:
        break;
    }
    dialogs_.ReleaseClosed();
}

} // namespace orvelin::web
