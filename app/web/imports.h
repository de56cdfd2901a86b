// What the module asks of the page that hosts it: the view's calls on the
// controls of a dialog the page built from its template, each dialog named by
// the number the module gave it when it asked the page to open it.
//
// Texts cross as UTF-8 in the module's memory, a hex field's as its 8-bit
// text. A read writes at most `capacity` bytes and returns the text's whole
// length, so that a caller whose buffer was too small asks again. Every call
// on a control the dialog lacks, or of another kind than the call needs, is
// ignored by the page; a read then gives the empty answer.
#ifndef ORVELIN_WEB_IMPORTS_H
#define ORVELIN_WEB_IMPORTS_H

#include <cstddef>

extern "C" {

[[clang::import_module("env"), clang::import_name("field_text")]] std::size_t
orvelin_import_field_text(int dialog, int field, char* buffer, std::size_t capacity);
[[clang::import_module("env"), clang::import_name("set_field_text")]] void
orvelin_import_set_field_text(int dialog, int field, const char* text, std::size_t length);

[[clang::import_module("env"), clang::import_name("control_text")]] std::size_t
orvelin_import_control_text(int dialog, int control, char* buffer, std::size_t capacity);
[[clang::import_module("env"), clang::import_name("set_control_text")]] void
orvelin_import_set_control_text(int dialog, int control, const char* text, std::size_t length);

[[clang::import_module("env"), clang::import_name("is_checked")]] int
orvelin_import_is_checked(int dialog, int button);
[[clang::import_module("env"), clang::import_name("set_checked")]] void
orvelin_import_set_checked(int dialog, int button, int checked);
[[clang::import_module("env"), clang::import_name("set_enabled")]] void
orvelin_import_set_enabled(int dialog, int control, int enabled);
[[clang::import_module("env"), clang::import_name("set_focus")]] void
orvelin_import_set_focus(int dialog, int control);
[[clang::import_module("env"), clang::import_name("set_visible")]] void
orvelin_import_set_visible(int dialog, int control, int visible);
// Positions and sizes in dialog units.
[[clang::import_module("env"), clang::import_name("move_control")]] void
orvelin_import_move_control(int dialog, int control, int x, int y);
[[clang::import_module("env"), clang::import_name("resize_dialog")]] void
orvelin_import_resize_dialog(int dialog, int width, int height);

// The items follow one another, each ended by a NUL.
[[clang::import_module("env"), clang::import_name("set_list_items")]] void
orvelin_import_set_list_items(int dialog, int list, const char* items, std::size_t length);
[[clang::import_module("env"), clang::import_name("selected_index")]] int
orvelin_import_selected_index(int dialog, int list);
[[clang::import_module("env"), clang::import_name("select_index")]] void
orvelin_import_select_index(int dialog, int list, int index);

// Opens the box and returns at once.
[[clang::import_module("env"), clang::import_name("message_box")]] void
orvelin_import_message_box(int dialog, const char* text, std::size_t length);

// Builds dialog `dialog` from template `template_id` and shows it: as the
// page's main window when `owner` is 0, else modal (`modal` 1) or modeless
// beside its owner. Returns once the controls exist.
[[clang::import_module("env"), clang::import_name("open_dialog")]] void
orvelin_import_open_dialog(int owner, int dialog, int template_id, int modal);
// Brings an open modeless dialog to the front and gives it the focus.
[[clang::import_module("env"), clang::import_name("raise_dialog")]] void
orvelin_import_raise_dialog(int dialog);
// Takes the dialog off the page.
[[clang::import_module("env"), clang::import_name("close_dialog")]] void
orvelin_import_close_dialog(int dialog);
}

#endif
