// Orvelin on a page: the main window of template 102 run by the core's logic
// over the library linked into the module, its menu (the about box and card
// practice), and the page's events passed to the dialog they happened in.
#ifndef ORVELIN_WEB_PAGE_H
#define ORVELIN_WEB_PAGE_H

#include "about_dlg.h"
#include "dialogs.h"
#include "orvelin_dlg_logic.h"
#include "page_description.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin::web {

class Page {
  public:
    Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // What the script builds the dialogs and the menu from (page_description.h).
    std::string_view Description() const { return description_; }

    // Opens the main window; once only.
    void Show();

    // A click on control `id` of dialog `dialog`; false when nothing handled it.
    bool Command(int dialog, int id);
    // The operator edited a field or chose in a list.
    void Change(int dialog, int id);
    // Escape or the close box: a dialog closes as by Cancel; the main window
    // stays, for a page cannot close itself.
    void Cancel(int dialog);
    // An entry of the main window's menu (IDM_ABOUTBOX, IDM_CARD_PRACTICE).
    void MenuCommand(unsigned command);

  private:
    std::vector<MenuEntry> Menu() const;

    const TavikAlgBinding library_;
    OrvelinDlgLogic main_logic_;
    CAboutDlg about_;
    std::unique_ptr<DialogLogic> card_practice_;
    web::Dialogs dialogs_;
    DialogView* main_window_ = nullptr;
    std::string description_;
};

} // namespace orvelin::web

#endif
