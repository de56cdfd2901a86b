#include "page_description.h"

#include "messages.h"

#include <string_view>

namespace orvelin::web {
namespace {

using res::ControlKind;

std::string_view KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::default_push_button:
        return "default_push_button";
    case ControlKind::push_button:
        return "push_button";
    case ControlKind::edit:
        return "edit";
    case ControlKind::label:
        return "label";
    case ControlKind::right_label:
        return "right_label";
    case ControlKind::auto_check_box:
        return "auto_check_box";
    case ControlKind::auto_radio_button:
        return "auto_radio_button";
    case ControlKind::icon:
        return "icon";
    case ControlKind::plain_edit:
        return "plain_edit";
    case ControlKind::read_only_edit:
        return "read_only_edit";
    case ControlKind::multi_line_text:
        return "multi_line_text";
    case ControlKind::wrapped_text:
        return "wrapped_text";
    case ControlKind::drop_down_list:
        return "drop_down_list";
    }
    return "unknown";
}

// A JSON string: UTF-8 passes as it is; quotes, backslashes and control
// characters are escaped.
void AppendString(std::string& json, std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0xF];
        } else {
            json += c;
        }
    }
    json += '"';
}

void AppendKey(std::string& json, std::string_view key) {
    AppendString(json, key);
    json += ':';
}

void AppendText(std::string& json, std::string_view key, std::string_view text) {
    AppendKey(json, key);
    AppendString(json, text);
    json += ',';
}

void AppendNumber(std::string& json, std::string_view key, long long number) {
    AppendKey(json, key);
    json += std::to_string(number);
    json += ',';
}

void AppendFlag(std::string& json, std::string_view key, bool value) {
    AppendKey(json, key);
    json += value ? "true," : "false,";
}

// Drops the comma after an object's or array's last member.
void EndWith(std::string& json, char closing) {
    if (json.back() == ',') {
        json.pop_back();
    }
    json += closing;
    json += ',';
}

void AppendControl(std::string& json, const res::ControlTemplate& control) {
    json += '{';
    AppendNumber(json, "id", control.id);
    AppendText(json, "kind", KindName(control.kind));
    AppendText(json, "caption", control.caption);
    AppendNumber(json, "x", control.rect.x);
    AppendNumber(json, "y", control.rect.y);
    AppendNumber(json, "width", control.rect.width);
    AppendNumber(json, "height", control.rect.height);
    AppendFlag(json, "tabStop", control.tab_stop);
    AppendFlag(json, "group", control.group_start);
    AppendNumber(json, "buddy", control.buddy);
    EndWith(json, '}');
}

void AppendTemplate(std::string& json, const res::DialogTemplate& dialog) {
    json += '{';
    AppendNumber(json, "id", dialog.id);
    AppendText(json, "caption", dialog.caption);
    AppendNumber(json, "width", dialog.width);
    AppendNumber(json, "height", dialog.height);
    AppendText(json, "font", dialog.font_face);
    AppendNumber(json, "points", dialog.font_points);
    AppendKey(json, "controls");
    json += '[';
    for (const auto& control : dialog.controls) {
        AppendControl(json, control);
    }
    EndWith(json, ']');
    EndWith(json, '}');
}

} // namespace

std::string PageDescription(std::span<const res::DialogTemplate* const> templates,
                            std::span<const MenuEntry> menu) {
    std::string json = "{";
    AppendText(json, "application", messages::kApplicationName);
    AppendNumber(json, "main", res::MainDialogTemplate().id);
    AppendKey(json, "menu");
    json += '[';
    for (const auto& entry : menu) {
        json += '{';
        AppendNumber(json, "command", entry.command);
        AppendText(json, "text", entry.text);
        EndWith(json, '}');
    }
    EndWith(json, ']');
    AppendKey(json, "templates");
    json += '[';
    for (const auto* dialog : templates) {
        AppendTemplate(json, *dialog);
    }
    EndWith(json, ']');
    json.back() = '}';
    return json;
}

} // namespace orvelin::web
