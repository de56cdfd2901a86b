#!/usr/bin/env bash
# Start-up of Orvelin.exe under Wine with a warm Wine server, from the launch
# to its main window mapped, beside a minimal Win32 dialog program under the
# same Wine, in a private virtual X display. The runs alternate between the
# two; each program is run once untimed first, so that the server, Wine's
# own services and the file cache are warm.
#   bench/startup-wine.sh [BUILD_DIR] [RUNS]
# BUILD_DIR is a Windows build with its tests (build-win64 by default): it
# holds bin/Orvelin.exe, bin/TAVIK_ALG.dll and bin/win32_minimal_dialog.exe,
# and receives the X11 Wine prefix.
set -euo pipefail
build=$(cd "${1:-build-win64}" && pwd)
runs=${2:-10}
window_seconds=30
settle_seconds=0.5
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "FAILED: RUNS must be a positive count" >&2; exit 1; }
for program in Orvelin.exe win32_minimal_dialog.exe; do
    [[ -f $build/bin/$program ]] || { echo "FAILED: no $build/bin/$program" >&2; exit 1; }
done
for tool in Xvfb xdotool setsid timeout wine wineserver; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed" >&2; exit 1; }
done
here=$(dirname "$0")
# shellcheck source-path=SCRIPTDIR source=../tests/support/xvfb.sh
source "$here/../tests/support/xvfb.sh"
# shellcheck source-path=SCRIPTDIR source=../tests/e2e-wine/wine_session.sh
source "$here/../tests/e2e-wine/wine_session.sh"

now_us() {
    printf -v "$1" '%s' "${EPOCHREALTIME//[!0-9]/}"
}

# One launch: the milliseconds to the first window of the program, which must
# not be a message box (those carry the program file's name).
time_launch() { # PROGRAM LABEL
    local program=$build/bin/$1 label=$2 start shown pid
    now_us start
    x_spawn "$X_WORK/$label.log" wine "$program"
    pid=$x_spawned
    x_wait_window "$window_seconds" "$label: no window appeared" "$pid" --pid "$pid"
    now_us shown
    [[ $(timeout 5 xdotool getwindowname "$x_window") != "$(basename "$1" .exe)" ]] ||
        x_fail "$label: a message box appeared instead of the main window"
    elapsed_ms=$(((shown - start) / 1000))
    x_end "$pid"
    # Let Wine's desktop and server finish with the ended process, outside
    # the timed span, so that no launch pays for the one before.
    sleep "$settle_seconds"
}

median() {
    local sorted
    mapfile -t sorted < <(printf '%s\n' "$@" | sort -n)
    echo "${sorted[$(($# / 2))]} (fastest ${sorted[0]}, slowest ${sorted[-1]})"
}

x_session_start
wine_session_start "$build"
# Poll the window list directly: a map shows within one poll.
x_poll_interval=0.002
time_launch Orvelin.exe warm-orvelin
time_launch win32_minimal_dialog.exe warm-minimal
orvelin_ms=()
minimal_ms=()
for run in $(seq "$runs"); do
    time_launch Orvelin.exe "orvelin-$run"
    orvelin_ms+=("$elapsed_ms")
    time_launch win32_minimal_dialog.exe "minimal-$run"
    minimal_ms+=("$elapsed_ms")
    echo "run $run: Orvelin.exe ${orvelin_ms[-1]} ms, minimal dialog ${minimal_ms[-1]} ms"
done
orvelin_median=$(median "${orvelin_ms[@]}")
minimal_median=$(median "${minimal_ms[@]}")
echo "median of $runs runs, ms: Orvelin.exe $orvelin_median; minimal dialog $minimal_median"
awk -v a="${orvelin_median%% *}" -v b="${minimal_median%% *}" \
    'BEGIN { printf "ratio Orvelin.exe / minimal dialog: %.2f\n", a / b }'
