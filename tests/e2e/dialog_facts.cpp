// Facts the end-to-end script takes from the main dialog's template instead of
// writing them again: the caption, the control focused first, and the keys
// that move the focus from one control to another; and the same of the
// card-practice dialog (card_dialog_keys.h).
//   orvelin_dialog_facts caption
//   orvelin_dialog_facts first
//   orvelin_dialog_facts keys FROM TO
//   orvelin_dialog_facts card ...
// A control is named as the user reads it: a button or box by its caption, a
// field by its label without the colon (SessionKey, IV, Encrypt), or by its
// number. Only tab stops take focus by keyboard; the radio buttons take it by
// click and the labels never.
#include "card_dialog_keys.h"
#include "dialog_template.h"
#include "resource.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace res = orvelin::res;

constexpr int kUsageError = 2;

// A field is named by the label that announces it.
std::string_view NameOf(const res::DialogTemplate& dialog, const res::ControlTemplate& control) {
    if (control.kind != res::ControlKind::edit) {
        return control.caption;
    }
    const auto label = std::ranges::find(dialog.controls, control.id, &res::ControlTemplate::buddy);
    if (label == dialog.controls.end()) {
        return {};
    }
    std::string_view text = label->caption;
    if (text.ends_with(':')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> NumberIn(std::string_view text) {
    int number = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return number;
}

bool IsNamed(const res::DialogTemplate& dialog, const res::ControlTemplate& control,
             std::string_view name) {
    if (const auto id = NumberIn(name)) {
        return control.id == *id && control.id != res::IDC_STATIC;
    }
    return !name.empty() && NameOf(dialog, control) == name;
}

// A control's place in the Tab chain, or why it has none.
struct TabStop {
    std::size_t position = 0;
    std::string problem;
};

TabStop FindTabStop(const res::DialogTemplate& dialog, std::string_view name) {
    const auto named = [&](const res::ControlTemplate& c) { return IsNamed(dialog, c, name); };
    const auto match = std::ranges::find_if(dialog.controls, named);
    const std::string quoted = "'" + std::string(name) + "'";
    if (match == dialog.controls.end()) {
        return {0, "no control named " + quoted};
    }
    if (std::ranges::count_if(dialog.controls, named) > 1) {
        return {0, "more than one control named " + quoted};
    }
    if (!match->tab_stop) {
        return {0, quoted + " takes no focus by Tab"};
    }
    const auto before = std::count_if(dialog.controls.begin(), match,
                                      [](const res::ControlTemplate& c) { return c.tab_stop; });
    return {static_cast<std::size_t>(before), {}};
}

int Refuse(std::string_view problem) {
    std::cerr << "orvelin_dialog_facts: " << problem << '\n';
    return EXIT_FAILURE;
}

int PrintFirst(const res::DialogTemplate& dialog) {
    const auto first = std::ranges::find_if(dialog.controls, &res::ControlTemplate::tab_stop);
    if (first == dialog.controls.end()) {
        return Refuse("the dialog has no tab stop");
    }
    std::cout << NameOf(dialog, *first) << '\n';
    return EXIT_SUCCESS;
}

// Straight through the tab stops between the two, never round the end of the
// chain, so that the focus passes no control outside that span.
int PrintKeys(const res::DialogTemplate& dialog, std::string_view from, std::string_view to) {
    const TabStop start = FindTabStop(dialog, from);
    const TabStop end = FindTabStop(dialog, to);
    for (const TabStop& stop : {start, end}) {
        if (!stop.problem.empty()) {
            return Refuse(stop.problem);
        }
    }
    const bool forward = end.position >= start.position;
    const std::size_t presses =
        forward ? end.position - start.position : start.position - end.position;
    for (std::size_t i = 0; i < presses; ++i) {
        std::cout << (i == 0 ? "" : " ") << (forward ? "Tab" : "shift+Tab");
    }
    std::cout << '\n';
    return EXIT_SUCCESS;
}

int Usage() {
    std::cerr << "usage: orvelin_dialog_facts caption | first | keys FROM TO | card ...\n";
    return kUsageError;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::span<char*> args(argv, static_cast<std::size_t>(argc));
    const res::DialogTemplate& dialog = res::MainDialogTemplate();
    const std::string_view command = args.size() > 1 ? args[1] : "";
    if (command == "caption" && args.size() == 2) {
        std::cout << dialog.caption << '\n';
        return EXIT_SUCCESS;
    }
    if (command == "first" && args.size() == 2) {
        return PrintFirst(dialog);
    }
    if (command == "keys" && args.size() == 4) {
        return PrintKeys(dialog, args[2], args[3]);
    }
    if (command == "card") {
        const std::vector<std::string_view> words(args.begin() + 2, args.end());
        return card_dialog_keys::Answer(words, "orvelin_dialog_facts", std::cout, std::cerr);
    }
    return Usage();
}
