# shellcheck shell=bash disable=SC2034  # copied is read by the caller
# Sourced after xvfb.sh, keyboard.sh and wine_session.sh: keyboard, clipboard and window
# checks on Wine windows, with every wait bounded.
#
#   tab_chain ARGS...        the Tab chain tool, run under Wine
#   move_to NAME / fill NAME TEXT / press NAME / read_field NAME
#                            along the template's Tab chain; read_field
#                            leaves the text in $copied
#   close_window ID WHAT KEY the key on the window, then wait until it goes
#   visible_count SEARCH...  how many visible windows match
#
# chain_tool names that tool (set before or after sourcing); focused_window
# and focused_control track where the keys go.

chain_tool=${chain_tool-}
focused_control=
copied=

# Into a file, not a pipe: a Wine helper process started meanwhile would
# hold a pipe open for as long as the server lives.
tab_chain() {
    local out=$X_WORK/tab_chain.out
    timeout 30 wine "$chain_tool" "$@" </dev/null >"$out" 2>>"$X_WORK/tab_chain.log" ||
        x_fail "the Tab chain tool refused '$*' (or took over 30 s)"
    # A Windows console program ends its lines with CR LF.
    tr -d '\r' <"$out"
}

move_to() {
    local sequence presses
    sequence=$(tab_chain keys "$focused_control" "$1")
    read -ra presses <<<"$sequence"
    ((${#presses[@]} == 0)) || keys "${presses[@]}"
    focused_control=$1
}

# A Windows edit field has no Ctrl+A; End then Shift+Home selects its one
# line whether or not Tab already selected it.
select_all() {
    keys End shift+Home
}

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

window_gone() {
    ! { timeout 5 xdotool search --onlyvisible --name . 2>/dev/null || true; } | grep -qx "$1"
}

# Without a window manager Wine waits about two seconds for a closed
# window's withdrawal.
close_window() {
    local window=$1 what=$2 key=$3
    focus_window "$window" "$what"
    keys "$key"
    x_poll 10 "$key did not close $what" window_gone "$window"
}
