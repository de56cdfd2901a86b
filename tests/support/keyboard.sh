# shellcheck shell=bash disable=SC2034  # focused_window is read by the caller
# Sourced after xvfb.sh: keys and text into a window whose keyboard focus is
# confirmed first, every wait bounded.
#
#   focus_window ID WHAT      ask for the keyboard focus and confirm it
#   keys KEYS...              xdotool key presses into that window
#   type_text TEXT            typed into that window

focused_window=

has_focus() {
    [[ $(timeout 5 xdotool getwindowfocus 2>/dev/null) == "$1" ]]
}

# Without a window manager nothing hands out the focus: ask for it, then see
# that the server gave it.
focus_window() {
    local window=$1 what=$2
    timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
    x_poll 10 "$what did not take the keyboard focus" has_focus "$window"
    focused_window=$window
}

keys() {
    has_focus "$focused_window" || x_fail "the keyboard focus left window $focused_window"
    timeout 10 xdotool key --delay 30 "$@" || x_fail "xdotool did not press $* within 10 s"
}

type_text() {
    has_focus "$focused_window" || x_fail "the keyboard focus left window $focused_window"
    timeout 10 xdotool type --delay 20 "$1" || x_fail "xdotool did not type $1 within 10 s"
}
