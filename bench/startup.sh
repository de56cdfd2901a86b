#!/usr/bin/env bash
# Start-up of the real program in a virtual X display: from the launch to the
# main window mapped on screen, over several runs, with the resident memory
# of the running program.
#   bench/startup.sh [BIN_DIR] [RUNS]
set -euo pipefail
bin_dir=${1:-build/bin}
runs=${2:-10}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1400x500x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work"

for run in $(seq "$runs"); do
    start=$(date +%s%N)
    "$bin_dir/Orvelin" 2>/dev/null &
    program=$!
    # Poll the window list directly: a map shows within one poll.
    until xdotool search --onlyvisible --name '^Orvelin R1020$' >/dev/null 2>&1; do sleep 0.002; done
    shown=$(date +%s%N)
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$program/status")
    echo "run $run: window shown after $(((shown - start) / 1000000)) ms, resident ${rss} kB"
    kill "$program"
    wait "$program" 2>/dev/null || true
done
