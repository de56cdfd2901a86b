// The main window's control-state rules and its start-up state, free of any
// toolkit: what a click or the window's initialisation does to which
// control. The window's logic applies these actions through its view.
#ifndef ORVELIN_CONTROL_STATES_H
#define ORVELIN_CONTROL_STATES_H

#include <cstddef>
#include <span>
#include <vector>

namespace orvelin {

enum class ControlAction {
    check,
    uncheck,
    enable,
    disable,
    show_zero_bytes, // a hex field shows kStartUpZeroBytes zero bytes
    focus,
};

struct ControlStep {
    int control; // an identifier of app/res/resource.h
    ControlAction action;

    friend bool operator==(const ControlStep&, const ControlStep&) = default;
};

// How many zero bytes the key, IV and data fields show at start-up.
inline constexpr std::size_t kStartUpZeroBytes = 8;

// The start-up state, in the order the window's initialisation sets it.
std::span<const ControlStep> StartUpSteps();

// What a click on `clicked` does to the other controls, in order. An
// automatic box has toggled itself before: `now_checked` is its new state.
// Empty for a control without a rule.
std::vector<ControlStep> StepsAfterClick(int clicked, bool now_checked);

} // namespace orvelin

#endif
