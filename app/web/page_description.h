// What the page's script needs to build the dialogs and the menu, read from
// the module at start-up so that nothing of app/res is typed twice: every
// template with its controls, the menu's entries and the message boxes'
// caption, as JSON.
#ifndef ORVELIN_WEB_PAGE_DESCRIPTION_H
#define ORVELIN_WEB_PAGE_DESCRIPTION_H

#include "dialog_template.h"

#include <span>
#include <string>

namespace orvelin::web {

// An entry of the main window's menu: its command (IDM_...) and text, with
// the ampersand that marks its access key.
struct MenuEntry {
    unsigned command;
    std::string text;
};

// {"application": ..., "main": 102, "menu": [{"command", "text"}...],
//  "templates": [{"id", "caption", "width", "height", "font", "points",
//                 "controls": [{"id", "kind", "caption", "x", "y", "width",
//                               "height", "tabStop", "group", "buddy"}...]}...]}
std::string PageDescription(std::span<const res::DialogTemplate* const> templates,
                            std::span<const MenuEntry> menu);

} // namespace orvelin::web

#endif
