// What the page calls: a page made once and kept by the script, the events
// of its dialogs, its menu, and the hex fields' typing rule. The script
// calls _initialize once before any of these.
#include "page.h"
#include "typing_filter.h"

using orvelin::web::Page;

extern "C" {

[[clang::export_name("page_create")]] Page* orvelin_page_create() {
    return new Page();
}

[[clang::export_name("page_destroy")]] void orvelin_page_destroy(Page* page) {
    delete page;
}

// UTF-8, not ended by a NUL; valid while the page lives.
[[clang::export_name("page_description")]] const char* orvelin_page_description(const Page* page) {
    return page->Description().data();
}

[[clang::export_name("page_description_length")]] std::size_t
orvelin_page_description_length(const Page* page) {
    return page->Description().size();
}

[[clang::export_name("page_show")]] void orvelin_page_show(Page* page) {
    page->Show();
}

[[clang::export_name("dialog_command")]] int orvelin_dialog_command(Page* page, int dialog,
                                                                    int id) {
    return page->Command(dialog, id) ? 1 : 0;
}

[[clang::export_name("dialog_change")]] void orvelin_dialog_change(Page* page, int dialog, int id) {
    page->Change(dialog, id);
}

[[clang::export_name("dialog_cancel")]] void orvelin_dialog_cancel(Page* page, int dialog) {
    page->Cancel(dialog);
}

[[clang::export_name("menu_command")]] void orvelin_menu_command(Page* page, unsigned command) {
    page->MenuCommand(command);
}

// Whether a character typed into a hex field goes in (typing_filter.h).
[[clang::export_name("typing_filter_passes")]] int
orvelin_typing_filter_passes(int ctrl_held, unsigned character) {
    return orvelin::PassesTypingFilter(ctrl_held != 0, static_cast<char32_t>(character)) ? 1 : 0;
}
}
