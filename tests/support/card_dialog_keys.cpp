#include "card_dialog_keys.h"

#include "card_dialog_inputs.h"
#include "card_operations.h"
#include "dialog_template.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace card_dialog_keys {
namespace {

namespace card = orvelin::card;
namespace res = orvelin::res;

constexpr int kUsageError = 2;

const card::CardOperation* Titled(std::string_view title) {
    const auto operations = card::CardOperations();
    const auto found = std::ranges::find(operations, title, &card::CardOperation::title);
    return found == operations.end() ? nullptr : &*found;
}

// The Tab chain while `operation` is chosen, each stop by its name.
std::vector<std::string> TabStops(const card::CardOperation& operation) {
    const res::DialogTemplate& dialog = res::CardPracticeDialogTemplate();
    std::map<int, std::string> names;
    for (const auto& control : dialog.controls) {
        names[control.id] = control.caption;
    }
    for (const auto& control : dialog.controls) {
        if (control.buddy != -1) {
            names[control.buddy] = control.caption;
        }
    }
    const std::vector<card::InputSlot> slots = card::SlotsOf(operation);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        names[slots[i].control] = operation.inputs[i].label;
    }
    std::vector<int> hidden;
    for (const card::RowControl& row : card::RowControlsOf(operation)) {
        if (!row.used) {
            hidden.push_back(row.id);
        }
    }
    std::vector<std::string> stops;
    for (const auto& control : dialog.controls) {
        if (control.tab_stop && std::ranges::find(hidden, control.id) == hidden.end()) {
            stops.push_back(names[control.id]);
        }
    }
    return stops;
}

} // namespace

int Answer(std::span<const std::string_view> words, std::string_view tool, std::ostream& out,
           std::ostream& err) {
    const auto refuse = [&](const std::string& problem) {
        err << tool << ": " << problem << '\n';
        return EXIT_FAILURE;
    };
    if (words.size() == 1 && words[0] == "caption") {
        out << res::CardPracticeDialogTemplate().caption << '\n';
        return EXIT_SUCCESS;
    }
    if (words.size() < 2 || (words[0] != "index" && words[0] != "keys") ||
        (words[0] == "index") != (words.size() == 2) || (words[0] == "keys" && words.size() != 4)) {
        err << "usage: " << tool << " card caption | card index TITLE | card keys TITLE FROM TO\n";
        return kUsageError;
    }
    const card::CardOperation* operation = Titled(words[1]);
    if (operation == nullptr) {
        return refuse("no card operation titled '" + std::string(words[1]) + "'");
    }
    if (words[0] == "index") {
        out << operation - card::CardOperations().data() << '\n';
        return EXIT_SUCCESS;
    }
    const std::vector<std::string> stops = TabStops(*operation);
    std::vector<std::ptrdiff_t> places;
    for (const std::string_view name : words.subspan(2)) {
        if (std::ranges::count(stops, name) != 1) {
            return refuse("no one control named '" + std::string(name) + "' takes the focus");
        }
        places.push_back(std::ranges::find(stops, name) - stops.begin());
    }
    const bool forward = places[1] >= places[0];
    const std::ptrdiff_t presses = forward ? places[1] - places[0] : places[0] - places[1];
    for (std::ptrdiff_t i = 0; i < presses; ++i) {
        out << (i == 0 ? "" : " ") << (forward ? "Tab" : "shift+Tab");
    }
    out << '\n';
    return EXIT_SUCCESS;
}

} // namespace card_dialog_keys
