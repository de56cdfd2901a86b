#include "fake_view.h"

#include "hex_text.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace orvelin {
namespace {

using Kinds = std::initializer_list<res::ControlKind>;
using enum res::ControlKind;

constexpr Kinds kAnyKind = {
    default_push_button, push_button,       edit,        label,      right_label,
    auto_check_box,      auto_radio_button, icon,        plain_edit, read_only_edit,
    multi_line_text,     drop_down_list,    wrapped_text};
constexpr Kinds kTextBearing = {
    default_push_button, push_button,       edit,       label,          right_label,
    auto_check_box,      auto_radio_button, plain_edit, read_only_edit, multi_line_text,
    drop_down_list,      wrapped_text};
constexpr Kinds kHexField = {edit};
constexpr Kinds kBox = {auto_check_box, auto_radio_button};
constexpr Kinds kList = {drop_down_list};

// The logic reaches only controls of its template, each by its kind.
int Expect(const DialogView& view, int id, Kinds kinds) {
    const auto controls = view.dialog->controls;
    const auto found = std::ranges::find(controls, id, &res::ControlTemplate::id);
    EXPECT_TRUE(id != res::IDC_STATIC && found != controls.end() &&
                std::ranges::find(kinds, found->kind) != kinds.end())
        << "control " << id << " of dialog " << view.dialog->id
        << " is not of the kind the call needs";
    return id;
}

} // namespace

std::string FieldText(const DialogView& view, int field) {
    const auto text = view.texts.find(Expect(view, field, kHexField));
    return text == view.texts.end() ? std::string() : text->second;
}

void ShowBytes(DialogView& view, int field, std::span<const std::uint8_t> bytes) {
    view.texts[Expect(view, field, kHexField)] = WriteHex(bytes);
}

bool IsChecked(const DialogView& view, int button) {
    const auto check = view.checks.find(Expect(view, button, kBox));
    return check != view.checks.end() && check->second;
}

void SetChecked(DialogView& view, int button, bool checked) {
    view.checks[Expect(view, button, kBox)] = checked;
}

void SetEnabled(DialogView& view, int control, bool enabled) {
    if (enabled) {
        view.disabled.erase(Expect(view, control, kAnyKind));
    } else {
        view.disabled.insert(Expect(view, control, kAnyKind));
    }
}

void SetFocusTo(DialogView& view, int control) {
    view.focus = Expect(view, control, kAnyKind);
}

void SetVisible(DialogView& view, int control, bool visible) {
    if (visible) {
        view.hidden.erase(Expect(view, control, kAnyKind));
    } else {
        view.hidden.insert(Expect(view, control, kAnyKind));
    }
}

void MoveControl(DialogView& view, int control, int x, int y) {
    view.moved_to[Expect(view, control, kAnyKind)] = {x, y};
}

void ResizeDialog(DialogView& view, int width, int height) {
    view.size = {width, height};
}

std::string ControlText(const DialogView& view, int control) {
    const auto text = view.texts.find(Expect(view, control, kTextBearing));
    return text == view.texts.end() ? std::string() : text->second;
}

void SetControlText(DialogView& view, int control, const std::string& text) {
    view.texts[Expect(view, control, kTextBearing)] = text;
}

void SetListItems(DialogView& view, int list, std::span<const std::string> items) {
    view.items[Expect(view, list, kList)].assign(items.begin(), items.end());
    view.chosen[list] = items.empty() ? -1 : 0;
}

int SelectedIndex(const DialogView& view, int list) {
    const auto chosen = view.chosen.find(Expect(view, list, kList));
    return chosen == view.chosen.end() ? -1 : chosen->second;
}

void SelectIndex(DialogView& view, int list, int index) {
    const auto count = static_cast<int>(view.items[Expect(view, list, kList)].size());
    view.chosen[list] = index >= 0 && index < count ? index : -1;
}

// No box waits for the operator here, as in a browser.
void ShowMessageBox(DialogView& view, const std::string& text) {
    view.messages.push_back(text);
}

void CloseDialog(DialogView& view, int /*result*/) {
    view.closed = true;
}

void OpenModelessDialog(DialogView& owner, const res::DialogTemplate& dialog_template,
                        DialogLogic& logic) {
    auto& dialog = owner.modeless[&logic];
    if (dialog != nullptr && !dialog->closed) {
        ++owner.raised;
        return;
    }
    dialog = std::make_unique<DialogView>(dialog_template);
    logic.OnInitDialog(*dialog);
}

} // namespace orvelin
