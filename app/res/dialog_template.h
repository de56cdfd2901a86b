// Dialog templates as data: every control with its identifier, kind,
// caption, rectangle in dialog units and style bits, in template order.
#ifndef ORVELIN_DIALOG_TEMPLATE_H
#define ORVELIN_DIALOG_TEMPLATE_H

#include <span>

namespace orvelin::res {

enum class ControlKind {
    default_push_button,
    push_button,
    edit,        // hex field: single line, border, auto horizontal scroll
    label,       // static text, left aligned, ampersands shown as typed
    right_label, // static text, right aligned
    auto_check_box,
    auto_radio_button,
    icon,
    plain_edit,      // as edit, but any text: a PAN, a counter
    read_only_edit,  // as edit, selectable and copyable, never typed into
    multi_line_text, // read only, monospace, each line whole: scroll bars as needed
    drop_down_list,  // a list to choose one item from; the height is the closed box's
    wrapped_text,    // read only, the dialog's font, words wrapped: prose such as a source
};

struct Rect {
    int x, y, width, height;
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* caption; // UTF-8
    Rect rect;
    bool tab_stop;
    bool group_start;
    int buddy = -1; // a label's field, announced with the label's text
};

struct DialogTemplate {
    int id;
    const char* caption; // UTF-8
    int width, height;   // client area, dialog units
    const char* font_face;
    int font_points;
    std::span<const ControlTemplate> controls;
};

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();
const DialogTemplate& CardPracticeDialogTemplate();

} // namespace orvelin::res

#endif
