// Dialog templates as data: every control with its identifier, kind,
// caption, rectangle in dialog units and style bits, in template order.
#ifndef ORVELIN_DIALOG_TEMPLATE_H
#define ORVELIN_DIALOG_TEMPLATE_H

#include <span>

namespace orvelin::res {

enum class ControlKind {
    default_push_button,
    push_button,
    edit,        // single line, border, auto horizontal scroll
    label,       // static text, left aligned, ampersands shown as typed
    right_label, // static text, right aligned
    auto_check_box,
    auto_radio_button,
    icon,
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

} // namespace orvelin::res

#endif
