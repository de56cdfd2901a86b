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

# Tab through the chain of the dialog driven: the main window's, or the
# card-practice dialog's while $card_operation is chosen there.
tab_dialog=main
card_operation="DESFire EV2 session keys"
tab_keys() {
    if [[ $tab_dialog == card ]]; then
        "$facts" card keys "$card_operation" "$1" "$2"
    else
        "$facts" keys "$1" "$2"
    fi
}

# A multi-line text's every line, into $copied.
read_text() {
    local before
    move_to "$1"
    keys ctrl+Home ctrl+shift+End
    before=$(clipboard)
    keys ctrl+c
    x_poll 5 "$1 was not copied to the clipboard" clipboard_differs_from "$before"
}

message_box_gone() {
    ! timeout 5 xdotool search --onlyvisible "${message_box[@]}" >/dev/null 2>&1
}

# ---- 1. Encrypt by keyboard: single-DES CBC, the first block of the FIPS 81 example.

# Tall enough for the card-practice dialog too.
x_session_start 1400x1000x24
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

# ---- 3. Card practice from the window's menu, which the menu key opens on a
# button: NXP AN12196's AuthenticateEV2First session keys typed in, Enter
# calculates; Result and Command read. Escape closes the dialog alone.

card_window=(--name "^$(regex_quote "$("$facts" card caption)")\$")
# The menu pops up as a second window of the program's class.
menu_open() {
    (($(visible_count --classname "^$program_file\$") == 2))
}
card_gone() {
    (($(visible_count "${card_window[@]}") == 0))
}
move_to Encrypt
keys Menu
x_poll 10 "the menu key opened no menu" menu_open
keys Up Return
x_wait_window 10 "the menu's last entry opened no card-practice dialog" "$program" "${card_window[@]}"
card=$x_window
focus_window "$card" "the card-practice dialog"
main_control=$focused_control
tab_dialog=card
focused_control=Operation
downs=()
for ((i = 0; i < $("$facts" card index "$card_operation"); ++i)); do downs+=(Down); done
((${#downs[@]} == 0)) || keys "${downs[@]}"
key=00000000000000000000000000000000
rnda=13C5DB8A5930439FC3DEF9A4C675360F
rndb=B9E2FC789B64BF237CCCAA20EC7E6E48
fill Key "$key"
fill RndA "$rnda"
fill RndB "$rndb"
keys Return
read_text Result
card_expected=$'SesAuthENCKey 1309C877509E5A215007FF0ED19CA564\nSesAuthMACKey 4C6626F5E72EA694202139295C7A7FC7'
[[ $copied == "$card_expected" ]] || x_fail "Result read '$copied', expected '$card_expected'"
echo "card practice, $card_operation: ${copied//$'\n'/ | }"
keys ctrl+Home # no selection left in the screenshot
read_field Command
command_expected="tavik desfire session --key $key --rnda $rnda --rndb $rndb"
[[ $copied == "$command_expected" ]] || x_fail "Command read '$copied', expected '$command_expected'"
echo "Command: $copied"
keys Home
if command -v import >/dev/null; then
    timeout 20 import -window "$card" "$out_dir/orvelin-card-practice.png" ||
        x_fail "import did not take the screenshot within 20 s"
    echo "screenshot: $out_dir/orvelin-card-practice.png"
fi
keys Escape
x_poll 10 "Escape did not close the card-practice dialog" card_gone
(($(visible_count "${main_window[@]}") == 1)) || x_fail "the main window went with the dialog"
focus_window "$window" "the main window, after card practice,"
tab_dialog=main
focused_control=$main_control
echo "card practice closed by Escape; the main window stays"

keys Escape
x_wait_exit "$program" 10 "Escape did not end the program"
((x_status == 0)) || x_fail "Escape ended the program with status $x_status"

# ---- 4. Start-up without the library beside the program: one message,
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
