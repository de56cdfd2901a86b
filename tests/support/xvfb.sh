# shellcheck shell=bash disable=SC2034  # x_spawned, x_status, x_window are read by the caller
# Sourced by the scripts that drive the real program: a private virtual X
# display, the programs started on it, and bounded waits. Whatever the
# caller's shell holds, the programs run on X in this display; their output
# goes to files, never to the caller's pipes; and every process started here
# is ended on every exit path of the sourcing script.
#
#   x_session_start [SCREEN]   work folder $X_WORK, Xvfb (SCREEN as WxHxD),
#                              DISPLAY, exit trap
#   x_spawn LOG PROGRAM [ARGS] start a program; its pid in $x_spawned
#   x_end PID                  end a program started by x_spawn
#   x_wait_exit PID SECONDS WHAT           its exit status in $x_status
#   x_wait_window SECONDS WHAT PID SEARCH  a visible window's id in $x_window
#   x_poll SECONDS WHAT COMMAND...         until COMMAND succeeds
#   x_fail MESSAGE             report and exit 1 (the trap cleans up)
#
# WHAT names what did not happen; a failed wait reports "WHAT within N s".

x_children=() # pids started by x_spawn, still to be ended
x_xvfb_pid=
x_spawned=
x_status=
x_window=
x_poll_interval=0.05

x_fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# The caller's shell may point Qt elsewhere (offscreen, Wayland), at another
# plugin folder, an input method that would swallow synthetic keys, or a
# session bus; none of that may reach the programs under test.
x_isolate_environment() {
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY WAYLAND_SOCKET XDG_SESSION_TYPE XAUTHORITY \
        QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM_PLUGIN_PATH QT_PLUGIN_PATH \
        QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
        QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI \
        QT_IM_MODULE XMODIFIERS QT_ACCESSIBILITY QT_LINUX_ACCESSIBILITY_ALWAYS_ON \
        DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
}

x_now_us() {
    local now=${EPOCHREALTIME//[!0-9]/}
    echo "$((10#$now))"
}

# A process still running: neither gone nor a zombie waiting to be reaped.
x_running() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [[ ${stat%% *} != Z ]]
}

x_exited() {
    ! x_running "$1"
}

x_poll() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$(($(x_now_us) + seconds * 1000000))
    until "$@"; do
        (($(x_now_us) < deadline)) || x_fail "$what within $seconds s"
        sleep "$x_poll_interval"
    done
}

x_forget() {
    local pid kept=()
    for pid in "${x_children[@]}"; do
        [[ $pid == "$1" ]] || kept+=("$pid")
    done
    x_children=("${kept[@]}")
}

# Each program leads a process group of its own, so that ending it also ends
# anything it started.
x_spawn() {
    local log=$1
    shift
    setsid "$@" </dev/null >"$log" 2>&1 &
    x_spawned=$!
    x_children+=("$x_spawned")
}

# Terminate, give the process five seconds, then kill; reap it either way.
x_stop_process() {
    local pid=$1 deadline
    kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null || true
    deadline=$(($(x_now_us) + 5000000))
    while x_running "$pid" && (($(x_now_us) < deadline)); do sleep 0.05; done
    if x_running "$pid"; then
        echo "process $pid ignored SIGTERM for 5 s; killing it" >&2
        kill -KILL -- "-$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}

x_end() {
    x_stop_process "$1"
    x_forget "$1"
}

x_wait_exit() {
    local pid=$1 seconds=$2 what=$3
    x_poll "$seconds" "$what" x_exited "$pid"
    x_status=0
    wait "$pid" || x_status=$?
    x_forget "$pid"
}

# Waits for a visible window matching the xdotool search arguments; fails at
# once should the program end first.
x_wait_window() {
    local seconds=$1 what=$2 pid=$3
    shift 3
    local deadline=$(($(x_now_us) + seconds * 1000000)) status
    while :; do
        x_window=$(timeout 5 xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1) || true
        [[ -n $x_window ]] && return 0
        if ! x_running "$pid"; then
            status=0
            wait "$pid" || status=$?
            x_forget "$pid"
            x_fail "$what: the program ended first, with status $status"
        fi
        (($(x_now_us) < deadline)) || x_fail "$what within $seconds s"
        sleep "$x_poll_interval"
    done
}

x_show_logs() {
    local log
    for log in "$X_WORK"/*.log; do
        [[ -s $log ]] || continue
        echo "--- last lines of $(basename "$log"):" >&2
        tail -n 20 "$log" >&2
    done
}

x_session_end() {
    local status=$? pid
    trap - EXIT
    for pid in "${x_children[@]}"; do x_stop_process "$pid"; done
    x_children=()
    [[ -z $x_xvfb_pid ]] || x_stop_process "$x_xvfb_pid"
    x_xvfb_pid=
    ((status == 0)) || x_show_logs
    rm -rf "$X_WORK"
    exit "$status"
}

x_xvfb_ready() {
    [[ -s $1 ]] && return 0
    x_running "$x_xvfb_pid" || x_fail "Xvfb ended at start-up"
    return 1
}

# Xvfb picks a free display itself and names it on a descriptor once it
# accepts connections: no fixed number, no race with other displays. Without
# -noreset it would reset whenever its last client left, such as one poll of
# the window list, and refuse a program connecting meanwhile.
x_start_xvfb() {
    local screen=$1 display_file=$X_WORK/xvfb.display
    setsid Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
        3>"$display_file" </dev/null >"$X_WORK/xvfb.log" 2>&1 &
    x_xvfb_pid=$!
    x_poll 10 "Xvfb did not report its display" x_xvfb_ready "$display_file"
    DISPLAY=":$(<"$display_file")"
    export DISPLAY
}

x_session_start() {
    X_WORK=$(mktemp -d)
    trap x_session_end EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
    x_isolate_environment
    export XDG_RUNTIME_DIR=$X_WORK/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # Wide enough for the main window at the dialog font's size.
    x_start_xvfb "${1:-1400x500x24}"
}
