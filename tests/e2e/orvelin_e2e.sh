#!/usr/bin/env bash
# Orvelin end to end, as a user would drive it: the real program from the
# build tree in a virtual X display, keyboard only.
#   orvelin_e2e.sh BIN_DIR OUT_DIR
# BIN_DIR holds Orvelin and libTAVIK_ALG.so; OUT_DIR receives a screenshot.
# Exits 77 (skipped) where Xvfb, xdotool or xclip is missing.
set -euo pipefail
bin_dir=$1
out_dir=$2
for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1400x500x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work"

fail() { echo "FAILED: $*"; exit 1; }
window_named() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
keys() { xdotool key --delay 30 "$@"; }
clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

# 1. Encrypt by keyboard: single-DES CBC, the first block of the FIPS 81 example.
"$bin_dir/Orvelin" &
program=$!
window=$(window_named '^Orvelin R1020$') || fail "the main window did not appear"
xdotool windowfocus --sync "$window"
sleep 0.3
keys Tab                                   # Decrypt -> SessionKey
xdotool type --delay 20 0123456789ABCDEF
keys Tab                                   # -> DataIn
xdotool type --delay 20 4E6F772069732074
keys Tab Tab Tab Tab Tab Tab               # DataOut, CRC16, DES ENABLE, Encrypt, AES_ENABLE, IV
xdotool type --delay 20 1234567890ABCDEF
keys shift+Tab shift+Tab space             # -> Encrypt, press it
keys shift+Tab shift+Tab shift+Tab         # DES ENABLE, CRC16, DataOut (all selected)
keys ctrl+c
sleep 0.3
data_out=$(clipboard)
[[ $data_out == "E5C7CDDE872BF27C" ]] || fail "DataOut read '$data_out', expected E5C7CDDE872BF27C"
echo "DataOut after Encrypt: $data_out"

if command -v import >/dev/null; then
    mkdir -p "$out_dir"
    import -window "$window" "$out_dir/orvelin-main-window.png"
    echo "screenshot: $out_dir/orvelin-main-window.png"
fi

keys Escape
status=0
wait "$program" || status=$?
[[ $status -eq 0 ]] || fail "Escape ended the program with status $status"

# 2. Start-up without the library beside the program: one message, status 255.
mkdir "$work/alone"
cp "$bin_dir/Orvelin" "$work/alone/"
"$work/alone/Orvelin" &
program=$!
box=$(window_named '^Orvelin$') || fail "no message box for the missing library"
xdotool search --onlyvisible --name '^Orvelin R1020$' >/dev/null &&
    fail "the main window was shown although the library is missing"
[[ $(xdotool search --onlyvisible --name '^Orvelin$' | wc -l) -eq 1 ]] ||
    fail "more than one message box"
xdotool windowfocus --sync "$box"
sleep 0.3
keys Return
status=0
wait "$program" || status=$?
[[ $status -eq 255 ]] || fail "exit status $status, expected 255"
echo "missing library: one message, exit status $status"
echo "1 passed, 0 failed"
