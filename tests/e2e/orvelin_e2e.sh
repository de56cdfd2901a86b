#!/usr/bin/env bash
# Orvelin end to end, as a user would drive it: the real program from the
# build tree in a private virtual X display, keyboard only.
#   orvelin_e2e.sh BIN_DIR DIALOG_FACTS OUT_DIR
# BIN_DIR holds Orvelin and libTAVIK_ALG.so; DIALOG_FACTS is the tool that
# reads the caption and the tab order from the dialog template; OUT_DIR
# receives a screenshot where imagemagick's import is installed.
# ORVELIN_E2E_WINDOW_SECONDS bounds the wait for the main window (20).
# Exits 77 (skipped) where Xvfb, xdotool or xclip is missing.
set -euo pipefail
bin_dir=$1
facts=$2
out_dir=$3
window_seconds=${ORVELIN_E2E_WINDOW_SECONDS:-20}
for tool in Xvfb xdotool xclip setsid timeout; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
# shellcheck source-path=SCRIPTDIR source=../support/xvfb.sh
source "$(dirname "$0")/../support/xvfb.sh"
# shellcheck source-path=SCRIPTDIR source=../support/keyboard.sh
source "$(dirname "$0")/../support/keyboard.sh"

regex_quote() {
    # shellcheck disable=SC2016 # a sed expression, nothing for the shell to expand
    sed 's/[][\.*^$(){}?+|/]/\\&/g' <<<"$1"
}

program_file=Orvelin
caption=$("$facts" caption)
main_window=(--name "^$(regex_quote "$caption")\$")
# Message boxes carry the program file's name.
message_box=(--name "^$program_file\$")

# ---- Keyboard and clipboard, on a window whose focus is confirmed first.

# Tab through the template's chain.
tab_keys() {
    "$facts" keys "$1" "$2"
}

message_box_gone() {
    ! timeout 5 xdotool search --onlyvisible "${message_box[@]}" >/dev/null 2>&1
}

# ---- 1. Encrypt by keyboard: single-DES CBC, the first block of the FIPS 81 example.

x_session_start
x_spawn "$X_WORK/orvelin.log" "$bin_dir/$program_file"
program=$x_spawned
x_wait_window "$window_seconds" "the main window did not appear" "$program" "${main_window[@]}"
window=$x_window
focus_window "$window" "the main window"
focused_control=$("$facts" first)

expected=E5C7CDDE872BF27C
fill SessionKey 0123456789ABCDEF
fill DataIn 4E6F772069732074
fill IV 1234567890ABCDEF
press Encrypt
read_field DataOut
[[ $copied == "$expected" ]] || x_fail "DataOut read '$copied', expected $expected"
echo "DataOut after Encrypt: $copied"

if command -v import >/dev/null; then
    mkdir -p "$out_dir"
    timeout 20 import -window "$window" "$out_dir/orvelin-main-window.png" ||
        x_fail "import did not take the screenshot within 20 s"
    echo "screenshot: $out_dir/orvelin-main-window.png"
fi

# ---- 2. A refused press: three bytes are no whole block. One message box
# (its text is covered by the offscreen tests: X offers no way to read it),
# and no field changes.

short_data=ABCDEF
fill DataIn "$short_data"
press Encrypt
x_wait_window 10 "no message box appeared for Encrypt on 3 bytes" "$program" "${message_box[@]}"
box=$x_window
(($(visible_count "${message_box[@]}") == 1)) || x_fail "more than one message box"
focus_window "$box" "the message box"
keys Return
x_poll 10 "Enter did not close the message box" message_box_gone
focus_window "$window" "the main window, after the message box,"
# Two different texts in turn, so that each read is a fresh copy.
read_field DataIn
[[ $copied == "$short_data" ]] || x_fail "the refused Encrypt changed DataIn to '$copied'"
read_field DataOut
[[ $copied == "$expected" ]] || x_fail "the refused Encrypt changed DataOut to '$copied'"
echo "Encrypt on 3 bytes: one message box, no field changed"

keys Escape
x_wait_exit "$program" 10 "Escape did not end the program"
((x_status == 0)) || x_fail "Escape ended the program with status $x_status"

# ---- 3. Start-up without the library beside the program: one message,
# no main window, status 255. No library path may lead to another copy.

mkdir "$X_WORK/alone"
cp "$bin_dir/$program_file" "$X_WORK/alone/"
x_spawn "$X_WORK/alone.log" env -u LD_LIBRARY_PATH "$X_WORK/alone/$program_file"
program=$x_spawned
x_wait_window "$window_seconds" "no message box for the missing library" "$program" \
    "${message_box[@]}"
box=$x_window
(($(visible_count "${main_window[@]}") == 0)) ||
    x_fail "the main window was shown although the library is missing"
(($(visible_count "${message_box[@]}") == 1)) || x_fail "more than one message box"
focus_window "$box" "the message box"
keys Return
x_wait_exit "$program" 10 "Enter on the message box did not end the program"
((x_status == 255)) || x_fail "exit status $x_status, expected 255"
echo "missing library: one message, exit status $x_status"
echo "1 passed, 0 failed"
