#!/usr/bin/env bash
# Orvelin.exe end to end under Wine, as a user drives it: the real program in
# a private virtual X display, keyboard only, fields read through the
# clipboard.
#   orvelin_wine_e2e.sh PROGRAM TAB_CHAIN PARTIAL_DLL PARTIAL_MISSING FIRST_EXPORT BUILD_DIR
# PROGRAM is Orvelin.exe with TAVIK_ALG.dll beside it; TAB_CHAIN the tool
# that reads the window's caption and Tab chain; PARTIAL_DLL a build of the library lacking the
# export PARTIAL_MISSING; FIRST_EXPORT the first name the program binds.
# BUILD_DIR receives the X11 Wine prefix and the zh_CN locale.
# ORVELIN_E2E_WINDOW_SECONDS bounds each wait for a first window (30).
# Exits 77 (skipped) where Xvfb, xdotool, xclip or Wine is missing.
set -euo pipefail
program=$1
chain_tool=$2
partial_dll=$3
partial_missing=$4
first_export=$5
build_dir=$6
window_seconds=${ORVELIN_E2E_WINDOW_SECONDS:-30}
for tool in Xvfb xdotool xclip setsid timeout wine wineserver; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
here=$(dirname "$0")
# shellcheck source-path=SCRIPTDIR source=../support/xvfb.sh
source "$here/../support/xvfb.sh"
# shellcheck source-path=SCRIPTDIR source=../support/keyboard.sh
source "$here/../support/keyboard.sh"
# shellcheck source-path=SCRIPTDIR source=wine_session.sh
source "$here/wine_session.sh"
# shellcheck source-path=SCRIPTDIR source=wine_driving.sh
source "$here/wine_driving.sh"

regex_quote() {
    # shellcheck disable=SC2016 # a sed expression, nothing for the shell to expand
    sed 's/[][\.*^$(){}?+|/]/\\&/g' <<<"$1"
}

# Message boxes carry the program file's name.
program_file=$(basename "$program" .exe)
message_box=(--name "^$program_file\$")
# Wine names each window's class after the program file, in lower case.
program_class=$(basename "$program" | tr '[:upper:]' '[:lower:]')
about_box=(--name '^关于 Orvelin$')
# Wine's message boxes copy nothing on Ctrl+C; this channel logs each box's
# text as it is made, one line per box.
box_log=WINEDEBUG=-all,trace+msgbox

# start LOG [VARIABLE=VALUE...] EXE: the program under Wine, pid in $running.
start() {
    local log=$1
    shift
    x_spawn "$X_WORK/$log" env "$box_log" "${@:1:$#-1}" wine "${!#}"
    running=$x_spawned
}

expect_boxes() { # LOG EXPECTED WHEN: the texts of every box shown so far
    local texts
    texts=$(sed -n 's/^.*:trace:msgbox:MSGBOX_OnInit L"\(.*\)"$/\1/p' "$X_WORK/$1")
    [[ $texts == "$2" ]] || x_fail "$3: the message boxes said '${texts//$'\n'/ | }', expected '$2'"
}

expect_exit() { # STATUS WHAT
    x_wait_exit "$running" 10 "$2 did not end the program"
    ((x_status == $1)) || x_fail "$2 ended the program with status $x_status, expected $1"
}

open_main_window() {
    x_wait_window "$window_seconds" "the main window did not appear" "$running" "${main_window[@]}"
    window=$x_window
    focus_window "$window" "the main window"
    focused_control=$first_control
}

# ---- 1. Encrypt by keyboard: single-DES CBC, the first block of the FIPS 81
# example; Enter presses Decrypt; a refused press shows one box and changes
# no field; Escape ends the program.
encrypt_decrypt_refuse() {
    local expected=E5C7CDDE872BF27C plain=4E6F772069732074 short_data=ABCDEF box
    start main.log "$program"
    open_main_window
    fill SessionKey 0123456789ABCDEF
    fill IV 1234567890ABCDEF
    fill DataIn "$plain"
    press Encrypt
    read_field DataOut
    [[ $copied == "$expected" ]] || x_fail "DataOut read '$copied' after Encrypt, expected $expected"
    echo "DataOut after Encrypt: $copied"

    fill DataIn "$expected"
    keys Return
    read_field DataOut
    [[ $copied == "$plain" ]] || x_fail "DataOut read '$copied' after Enter, expected $plain"
    echo "DataOut after Enter (Decrypt): $copied"

    fill DataIn "$short_data"
    press Encrypt
    x_wait_window 10 "no message box appeared for Encrypt on 3 bytes" "$running" "${message_box[@]}"
    box=$x_window
    (($(visible_count "${message_box[@]}") == 1)) || x_fail "more than one message box"
    close_window "$box" "the message box" Return
    expect_boxes main.log "Data length must be a multiple of 8 bytes!" "Encrypt on 3 bytes"
    focus_window "$window" "the main window, after the message box,"
    read_field DataIn
    [[ $copied == "$short_data" ]] || x_fail "the refused Encrypt changed DataIn to '$copied'"
    read_field DataOut
    [[ $copied == "$plain" ]] || x_fail "the refused Encrypt changed DataOut to '$copied'"
    echo "Encrypt on 3 bytes: one message box, '$program_file', no field changed"

    keys Escape
    expect_exit 0 Escape
    expect_boxes main.log "Data length must be a multiple of 8 bytes!" "the whole session"
}

# The menu pops up as an unnamed window of the program's class beside the
# main window.
menu_open() {
    (($(visible_count --classname "^$(regex_quote "$program_class")\$") > 1))
}

# ---- 2. The about box from the system menu, with the system code page of a
# Chinese Windows. Wine adds its own "About Wine" with the same access key
# A, so the entry is reached from the end of the menu, where the program
# appends it before card practice.
about_box_and_close() {
    local about
    wine_zh_cn_locale "$build_dir"
    start about.log "${wine_zh_cn[@]}" "$program"
    open_main_window
    keys alt+space
    x_poll 10 "Alt+Space opened no system menu" menu_open
    keys Up Up Return
    x_wait_window 10 "the system menu's entry before last opened no about box" "$running" \
        "${about_box[@]}"
    about=$x_window
    (($(visible_count "${about_box[@]}") == 1)) || x_fail "more than one about box"
    close_window "$about" "the about box" Escape
    echo "system menu, entry before last: the about box '关于 Orvelin', closed by Escape"
    focus_window "$window" "the main window, after the about box,"
    keys alt+F4
    expect_exit 0 Alt+F4
    expect_boxes about.log "" "the about session"
}

# ---- 3. Card practice from the system menu's last entry: NXP AN12196's
# AuthenticateEV2First session keys by Example, Enter in a field
# calculates; Result and Command read; Escape closes the dialog alone.
card_operation="DESFire EV2 session keys"
tab_dialog=main
tab_keys() {
    if [[ $tab_dialog == card ]]; then
        tab_chain card keys "$card_operation" "$1" "$2"
    else
        tab_chain keys "$1" "$2"
    fi
}

# A multi-line text's every line, into $copied, its line ends as LF.
read_text() {
    local before
    move_to "$1"
    keys ctrl+Home ctrl+shift+End
    before=$(clipboard)
    keys ctrl+c
    x_poll 5 "$1 was not copied to the clipboard" clipboard_differs_from "$before"
    copied=${copied//$'\r'/}
}

card_gone() {
    (($(visible_count "${card_window[@]}") == 0))
}

card_practice() {
    local card downs=() i expected command_expected
    expected=$'SesAuthENCKey 1309C877509E5A215007FF0ED19CA564\nSesAuthMACKey 4C6626F5E72EA694202139295C7A7FC7'
    command_expected="tavik desfire session --key 00000000000000000000000000000000"
    command_expected+=" --rnda 13C5DB8A5930439FC3DEF9A4C675360F --rndb B9E2FC789B64BF237CCCAA20EC7E6E48"
    start card.log "$program"
    open_main_window
    keys alt+space
    x_poll 10 "Alt+Space opened no system menu" menu_open
    keys Up Return
    x_wait_window 10 "the system menu's last entry opened no card-practice dialog" "$running" \
        "${card_window[@]}"
    card=$x_window
    focus_window "$card" "the card-practice dialog"
    tab_dialog=card
    focused_control=Operation
    for ((i = 0; i < $(tab_chain card index "$card_operation"); ++i)); do downs+=(Down); done
    ((${#downs[@]} == 0)) || keys "${downs[@]}"
    press Example
    # Enter on a focused push button would press that one.
    move_to Key
    keys Return
    read_text Result
    [[ $copied == "$expected" ]] || x_fail "Result read '$copied', expected '$expected'"
    echo "card practice, $card_operation by Example: ${copied//$'\n'/ | }"
    keys ctrl+Home # no selection left in the screenshot
    read_field Command
    [[ $copied == "$command_expected" ]] ||
        x_fail "Command read '$copied', expected '$command_expected'"
    echo "Command: $copied"
    keys Home
    if command -v import >/dev/null; then
        mkdir -p "$build_dir/screenshots"
        timeout 20 import -window "$card" "$build_dir/screenshots/orvelin-card-practice-windows.png" ||
            x_fail "import did not take the screenshot within 20 s"
        echo "screenshot: $build_dir/screenshots/orvelin-card-practice-windows.png"
    fi
    keys Escape
    x_poll 10 "Escape did not close the card-practice dialog" card_gone
    (($(visible_count "${main_window[@]}") == 1)) || x_fail "the main window went with the dialog"
    tab_dialog=main
    focus_window "$window" "the main window, after card practice,"
    keys alt+F4
    expect_exit 0 Alt+F4
    expect_boxes card.log "" "the card-practice session"
    echo "card practice closed by Escape; the main window stayed until Alt+F4"
}

# ---- 4. Start-up that cannot bind the library: one box, no main window,
# status -1, which the shell sees as 255.
binding_failure() { # FOLDER LIBRARY_OR_EMPTY MISSING_EXPORT WHAT
    local folder=$X_WORK/$1 library=$2 missing=$3 what=$4 box
    mkdir "$folder"
    cp "$program" "$folder/"
    [[ -z $library ]] || cp "$library" "$folder/TAVIK_ALG.dll"
    start "$1.log" "$folder/$(basename "$program")"
    x_wait_window "$window_seconds" "no message box for $what" "$running" "${message_box[@]}"
    box=$x_window
    (($(visible_count "${main_window[@]}") == 0)) || x_fail "the main window was shown with $what"
    (($(visible_count "${message_box[@]}") == 1)) || x_fail "more than one message box for $what"
    focus_window "$box" "the message box"
    keys Return
    expect_exit 255 "Enter on the message box for $what"
    expect_boxes "$1.log" "Load TAVIK_ALG.DLL failed! func<$missing> cann't be load!" "$what"
    echo "$what: one message, func<$missing>, exit status 255"
}

# Tall enough for the card-practice dialog too.
x_session_start 1400x1000x24
wine_session_start "$build_dir"
caption=$(tab_chain caption)
main_window=(--name "^$(regex_quote "$caption")\$")
first_control=$(tab_chain first)
card_window=(--name "^$(regex_quote "$(tab_chain card caption)")\$")

encrypt_decrypt_refuse
about_box_and_close
card_practice
binding_failure alone "" "$first_export" "the library missing"
binding_failure partial "$partial_dll" "$partial_missing" "a library lacking $partial_missing"
echo "1 passed, 0 failed"
