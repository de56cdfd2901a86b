# shellcheck shell=bash
# Sourced after xvfb.sh, keyboard.sh and wine_session.sh: what driving Wine
# windows needs beyond the shared keyboard helper, every wait bounded.
#
#   tab_chain ARGS...        the Tab chain tool, run under Wine
#   tab_keys FROM TO         the Tab presses between two controls, from it
#   close_window ID WHAT KEY the key on the window, then wait until it goes
#
# chain_tool names that tool (set before or after sourcing).

chain_tool=${chain_tool-}

# Into a file, not a pipe: a Wine helper process started meanwhile would
# hold a pipe open for as long as the server lives.
tab_chain() {
    local out=$X_WORK/tab_chain.out
    timeout 30 wine "$chain_tool" "$@" </dev/null >"$out" 2>>"$X_WORK/tab_chain.log" ||
        x_fail "the Tab chain tool refused '$*' (or took over 30 s)"
    # A Windows console program ends its lines with CR LF.
    tr -d '\r' <"$out"
}

tab_keys() {
    tab_chain keys "$1" "$2"
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
