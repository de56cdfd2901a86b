#!/usr/bin/env bash
# Start-up of the real program in a private virtual X display: from the
# launch to the main window mapped on screen, over several runs, with the
# resident memory of the running program.
#   bench/startup.sh [BIN_DIR] [RUNS]
# BIN_DIR holds Orvelin and libTAVIK_ALG.so (build/bin by default).
set -euo pipefail
bin_dir=${1:-build/bin}
runs=${2:-10}
program_file=Orvelin
window_seconds=20
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "FAILED: RUNS must be a positive count" >&2; exit 1; }
[[ -x $bin_dir/$program_file ]] || { echo "FAILED: no program $bin_dir/$program_file" >&2; exit 1; }
for tool in Xvfb xdotool setsid timeout; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed" >&2; exit 1; }
done
# shellcheck source-path=SCRIPTDIR source=../tests/support/xvfb.sh
source "$(dirname "$0")/../tests/support/xvfb.sh"

now_us() {
    printf -v "$1" '%s' "${EPOCHREALTIME//[!0-9]/}"
}

x_session_start
# Poll the window list directly: a map shows within one poll.
x_poll_interval=0.002
times=()
for run in $(seq "$runs"); do
    now_us start
    x_spawn "$X_WORK/orvelin-$run.log" "$bin_dir/$program_file"
    program=$x_spawned
    x_wait_window "$window_seconds" "run $run: no window appeared" "$program" --pid "$program"
    now_us shown
    # Message boxes carry the program file's name; the main window does not.
    [[ $(timeout 5 xdotool getwindowname "$x_window") != "$program_file" ]] ||
        x_fail "run $run: a message box appeared instead of the main window"
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$program/status")
    times+=($(((shown - start) / 1000)))
    echo "run $run: window shown after ${times[-1]} ms, resident ${rss} kB"
    x_end "$program"
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
mapfile -t times <<<"$sorted"
echo "median of $runs runs: ${times[$((runs / 2))]} ms (fastest ${times[0]} ms, slowest ${times[-1]} ms)"
