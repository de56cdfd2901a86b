#!/usr/bin/env bash
# Builds the Windows ZIP from a cross build, unpacks it into a scratch folder
# and runs its programs from there under Wine, from another working folder:
# the ZIP must hold exactly the program with the library beside it, the
# import library, the header, the read-me and tavik.exe where it is built;
# Orvelin.exe must bind the library and show its main window, tavik.exe must
# compute through it.
#   windows_zip.sh BUILD_DIR PROGRAM DLL IMPORT_LIBRARY [TAVIK]
# Exits 77 (skipped) where Xvfb, xdotool or Wine is missing.
set -euo pipefail
build=$1
program=$2
dll=$3
import_library=$4
tavik=${5:-}
for tool in Xvfb xdotool setsid timeout wine wineserver; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
here=$(dirname "$0")
# shellcheck source-path=SCRIPTDIR source=../support/xvfb.sh
source "$here/../support/xvfb.sh"
# shellcheck source-path=SCRIPTDIR source=../support/keyboard.sh
source "$here/../support/keyboard.sh"
# shellcheck source-path=SCRIPTDIR source=../e2e-wine/wine_session.sh
source "$here/../e2e-wine/wine_session.sh"
# shellcheck source-path=SCRIPTDIR source=../e2e-wine/wine_driving.sh
source "$here/../e2e-wine/wine_driving.sh"

make_zip() {
    (cd "$build" && timeout 240 cpack -G ZIP -B "$X_WORK/out" >"$X_WORK/cpack.log" 2>&1) ||
        { tail -n 20 "$X_WORK/cpack.log"; x_fail "cpack did not build the ZIP within 240 s"; }
    zip=$(find "$X_WORK/out" -maxdepth 1 -name '*.zip' | head -n 1)
    [[ -n $zip ]] || x_fail "cpack made no .zip"
    echo "package: $(basename "$zip"), $(stat -c %s "$zip") bytes"
}

# One folder at the top, holding exactly what a user needs.
unpack_and_list() {
    local tops expected actual
    mkdir "$X_WORK/unpacked"
    (cd "$X_WORK/unpacked" && cmake -E tar xf "$zip") || x_fail "the ZIP did not unpack"
    mapfile -t tops < <(find "$X_WORK/unpacked" -mindepth 1 -maxdepth 1)
    if ((${#tops[@]} != 1)) || [[ ! -d ${tops[0]} ]]; then
        x_fail "the ZIP holds ${#tops[@]} entries at the top, expected one folder"
    fi
    root=${tops[0]}
    expected=$(printf '%s\n' "$program" "$dll" "$import_library" include/tavik_alg.h README.txt \
        ${tavik:+"$tavik"} | sort)
    actual=$(cd "$root" && find . -type f -printf '%P\n' | sort)
    [[ $actual == "$expected" ]] ||
        x_fail "the ZIP holds:"$'\n'"$actual"$'\n'"expected:"$'\n'"$expected"
    echo "contents: ${expected//$'\n'/, }"
}

# The first window of the program must be its main window, not a message,
# and it must stay until Escape closes it.
start_program() {
    local name
    x_spawn "$X_WORK/program.log" env -C "$X_WORK" wine "$root/$program"
    running=$x_spawned
    x_wait_window 30 "Orvelin.exe from the ZIP showed no window" "$running" --pid "$running"
    name=$(timeout 5 xdotool getwindowname "$x_window") || x_fail "the window has no name"
    [[ $name != "$(basename "$program" .exe)" ]] ||
        x_fail "Orvelin.exe from the ZIP showed a message box: it did not bind $dll"
    sleep 3
    x_running "$running" || x_fail "Orvelin.exe from the ZIP ended by itself"
    focus_window "$x_window" "the main window"
    keys Escape
    x_wait_exit "$running" 10 "Escape did not end Orvelin.exe"
    ((x_status == 0)) || x_fail "Orvelin.exe from the ZIP ended with status $x_status"
    echo "Orvelin.exe from the ZIP: main window '$name', stayed 3 s, Escape ended it with 0"
}

# The first block of the FIPS 81 CBC example, through the DLL beside it.
# Its output goes to a file: a Wine helper process would hold a pipe open.
run_tavik() {
    local out status=0
    (cd "$X_WORK" && timeout 60 wine "$root/$tavik" encrypt --cipher des --cbc \
        --iv 1234567890ABCDEF --key 0123456789ABCDEF 4E6F772069732074 \
        </dev/null >"$X_WORK/tavik.out" 2>&1) || status=$?
    out=$(tr -d '\r' <"$X_WORK/tavik.out")
    if ((status != 0)) || [[ $out != E5C7CDDE872BF27C ]]; then
        x_fail "$tavik from the ZIP ended with status $status saying '$out'"
    fi
    echo "$tavik from the ZIP: $out"
}

x_session_start
wine_session_start "$build"
make_zip
unpack_and_list
start_program
[[ -z $tavik ]] || run_tavik
echo "1 passed, 0 failed"
