// What the Wine end-to-end script asks of the main window as Windows builds
// it: the caption, the control focused first, and the keys that move the
// focus from one control to another. The window is made hidden in its
// start-up state and the dialog manager walks its Tab chain, which the
// template alone does not tell: Windows adds the checked radio button of a
// group to the chain and skips disabled controls.
//   orvelin_tab_chain caption | first | keys FROM TO | card ...
// A control is named as the user reads it: a button or box by its caption,
// a field by its label without the colon. The card-practice dialog's chain
// is its template's (card_dialog_keys.h): none of its controls is a radio
// button, and none is disabled.
#include "card_dialog_keys.h"
#include "control_states.h"
#include "dialog_template.h"
#include "orvelin_dlg.h"
#include "tavik_alg_binding.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

namespace res = orvelin::res;

constexpr int kUsageError = 2;

int Refuse(std::string_view problem) {
    std::cerr << "orvelin_tab_chain: " << problem << '\n';
    return EXIT_FAILURE;
}

// A field is named by the label that announces it.
std::string_view NameOf(const res::ControlTemplate& control) {
    const res::DialogTemplate& dialog = res::MainDialogTemplate();
    if (control.kind != res::ControlKind::edit) {
        return control.caption;
    }
    const auto label = std::ranges::find(dialog.controls, control.id, &res::ControlTemplate::buddy);
    std::string_view text = label == dialog.controls.end() ? "" : label->caption;
    if (text.ends_with(':')) {
        text.remove_suffix(1);
    }
    return text;
}

// The one control of that name, or 0.
int IdOf(std::string_view name) {
    const auto controls = res::MainDialogTemplate().controls;
    const auto named = [name](const res::ControlTemplate& c) { return NameOf(c) == name; };
    const auto match = std::ranges::find_if(controls, named);
    if (name.empty() || match == controls.end() || std::ranges::count_if(controls, named) > 1) {
        return 0;
    }
    return match->id;
}

std::string_view NameOfId(int id) {
    const auto controls = res::MainDialogTemplate().controls;
    const auto match = std::ranges::find(controls, id, &res::ControlTemplate::id);
    return match == controls.end() ? "" : NameOf(*match);
}

// The Tab chain from its first control, as Tab visits it.
std::vector<HWND> TabChain(HWND window) {
    std::vector<HWND> chain;
    HWND const first = GetNextDlgTabItem(window, nullptr, FALSE);
    for (HWND control = first; control != nullptr && chain.size() < 256;) {
        chain.push_back(control);
        control = GetNextDlgTabItem(window, control, FALSE);
        if (control == first) {
            break;
        }
    }
    return chain;
}

// Straight through the chain between the two, never round its end, so that
// the focus passes no control outside that span.
int PrintKeys(HWND window, std::string_view from, std::string_view to) {
    const std::vector<HWND> chain = TabChain(window);
    std::vector<std::ptrdiff_t> positions;
    for (const std::string_view name : {from, to}) {
        const int id = IdOf(name);
        if (id == 0) {
            return Refuse("no one control named '" + std::string(name) + "'");
        }
        const auto place = std::ranges::find(chain, GetDlgItem(window, id));
        if (place == chain.end()) {
            return Refuse("'" + std::string(name) + "' takes no focus by Tab");
        }
        positions.push_back(place - chain.begin());
    }
    const bool forward = positions[1] >= positions[0];
    const auto presses = forward ? positions[1] - positions[0] : positions[0] - positions[1];
    for (std::ptrdiff_t i = 0; i < presses; ++i) {
        std::cout << (i == 0 ? "" : " ") << (forward ? "Tab" : "shift+Tab");
    }
    std::cout << '\n';
    return EXIT_SUCCESS;
}

int PrintFirst() {
    for (const auto& [id, action] : orvelin::StartUpSteps()) {
        if (action == orvelin::ControlAction::focus) {
            std::cout << NameOfId(id) << '\n';
            return EXIT_SUCCESS;
        }
    }
    return Refuse("the start-up steps focus no control");
}

int WithWindow(std::string_view from, std::string_view to) {
    const orvelin::BindingResult bound = orvelin::TavikAlgBinding::Bind(orvelin::kTavikAlgFileName);
    const auto* library = std::get_if<orvelin::TavikAlgBinding>(&bound);
    if (library == nullptr) {
        return Refuse(std::get<orvelin::BindingFailure>(bound).Message());
    }
    COrvelinDlg dialog(*library);
    HWND const window = dialog.Create();
    if (window == nullptr) {
        return Refuse("the main window could not be made");
    }
    const int status = PrintKeys(window, from, to);
    DestroyWindow(window);
    return status;
}

int Usage() {
    std::cerr << "usage: orvelin_tab_chain caption | first | keys FROM TO | card ...\n";
    return kUsageError;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::span<char*> args(argv, static_cast<std::size_t>(argc));
    const std::string_view command = args.size() > 1 ? args[1] : "";
    if (command == "caption" && args.size() == 2) {
        std::cout << res::MainDialogTemplate().caption << '\n';
        return EXIT_SUCCESS;
    }
    if (command == "first" && args.size() == 2) {
        return PrintFirst();
    }
    if (command == "keys" && args.size() == 4) {
        return WithWindow(args[2], args[3]);
    }
    if (command == "card") {
        const std::vector<std::string_view> words(args.begin() + 2, args.end());
        return card_dialog_keys::Answer(words, "orvelin_tab_chain", std::cout, std::cerr);
    }
    return Usage();
}
