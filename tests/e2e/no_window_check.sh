#!/usr/bin/env bash
# The end-to-end script against a program whose window never appears: it must
# fail within its bound, say what did not happen, and leave neither the
# program nor Xvfb running.
#   no_window_check.sh E2E_SCRIPT DIALOG_FACTS
# Exits 77 (skipped) where the end-to-end script would skip.
set -euo pipefail
e2e=$1
facts=$2
bound=3
for tool in Xvfb xdotool xclip setsid timeout; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
program_pid=
xvfb_pid=
cleanup() {
    # Should the script under test leave anything behind, end it here too.
    local pid
    for pid in $program_pid $xvfb_pid; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*"
    exit 1
}

# A stand-in that starts, records itself and the Xvfb its starter started,
# and sleeps.
mkdir "$work/bin"
cat >"$work/bin/Orvelin" <<'EOF'
#!/bin/sh
echo "$$ $(pgrep -P "$PPID" -x Xvfb)" >"$(dirname "$0")/started"
exec sleep 300
EOF
chmod +x "$work/bin/Orvelin"

start=$(date +%s)
status=0
ORVELIN_E2E_WINDOW_SECONDS=$bound timeout 60 "$e2e" "$work/bin" "$facts" "$work/out" \
    >"$work/e2e.log" 2>&1 || status=$?
elapsed=$(($(date +%s) - start))
sed 's/^/  | /' "$work/e2e.log"

[[ -s $work/bin/started ]] || fail "the stand-in was never started"
read -r program_pid xvfb_pid <"$work/bin/started"
[[ -n $xvfb_pid ]] || fail "the stand-in found no Xvfb beside it"
((status == 1)) || fail "the end-to-end script exited with $status, expected 1"
grep -q "the main window did not appear within $bound s" "$work/e2e.log" ||
    fail "no message saying that the main window did not appear within $bound s"
((elapsed <= bound + 15)) || fail "the end-to-end script took $elapsed s to give up"
! kill -0 "$program_pid" 2>/dev/null || fail "the program (pid $program_pid) is still running"
! kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb (pid $xvfb_pid) is still running"
echo "gave up after $elapsed s, program and Xvfb ended"
