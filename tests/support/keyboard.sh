# shellcheck shell=bash disable=SC2034  # focused_* and copied are read by the caller
# Sourced after xvfb.sh: keyboard and clipboard on a window whose keyboard
# focus is confirmed first, every wait bounded. The caller defines
# `tab_keys FROM TO`, which prints the Tab presses between two controls.
#
#   focus_window ID WHAT      ask for the keyboard focus and confirm it
#   keys KEYS... / type_text TEXT   into that window
#   move_to NAME / fill NAME TEXT / press NAME / read_field NAME
#                             along the Tab chain; read_field leaves the
#                             field's text in $copied
#   visible_count SEARCH...   how many visible windows match

focused_window=
focused_control=
copied=

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

move_to() {
    local sequence presses
    sequence=$(tab_keys "$focused_control" "$1") ||
        x_fail "no way by Tab from $focused_control to $1"
    read -ra presses <<<"$sequence"
    ((${#presses[@]} == 0)) || keys "${presses[@]}"
    focused_control=$1
}

# End then Shift+Home selects a field's one line in either toolkit, whether
# or not Tab already selected it (a Windows edit field has no Ctrl+A).
select_all() {
    keys End shift+Home
}

# Typing over the whole text replaces it.
fill() {
    move_to "$1"
    select_all
    type_text "$2"
}

press() {
    move_to "$1"
    keys space
}

clipboard() {
    timeout 5 xclip -o -selection clipboard 2>/dev/null || true
}

clipboard_differs_from() {
    copied=$(clipboard)
    [[ -n $copied && $copied != "$1" ]]
}

# Only a text unlike the clipboard's last one counts as this copy, so that a
# copy that did not happen is never mistaken for an earlier one.
read_field() {
    local before
    move_to "$1"
    select_all
    before=$(clipboard)
    keys ctrl+c
    x_poll 5 "$1 was not copied to the clipboard" clipboard_differs_from "$before"
}

visible_count() {
    { timeout 5 xdotool search --onlyvisible "$@" 2>/dev/null || true; } | wc -l
}
