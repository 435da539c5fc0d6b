# Sourced by the tests that run the program on a virtual X display.

# once_more_after_tracer_crash COMMAND...
# LeakSanitizer's own tracer now and then crashes while it walks the dynamic
# thread-local storage at exit ("Tracer caught signal 11"): a fault of the
# tool (clang 14's runtime with this glibc), not a leak, and it fails the
# program's exit. A command that failed so, with no leak report, runs once
# more; a leak report or any other failure fails at once.
once_more_after_tracer_crash() {
    local log status=0
    log="$(mktemp)"
    { "$@" 2>&1 | tee "$log"; status=${PIPESTATUS[0]}; } || true
    if [ "$status" -ne 0 ] && grep -q 'Tracer caught signal' "$log" \
        && ! grep -q 'LeakSanitizer: detected memory leaks' "$log"; then
        echo "LeakSanitizer's tracer crashed; running once more"
        status=0
        "$@" || status=$?
    fi
    rm -f "$log"
    return "$status"
}

# require_tools TOOL...
# Skips the test (CTest's skip status 77) when one of the tools is missing.
require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed"
            exit 77
        fi
    done
}

# wait_for PID COMMAND...
# Runs the command every 0.2 s, for up to 20 s and while the process PID
# lives, until it prints something; prints that (or nothing).
wait_for() {
    local pid="$1" found=""
    shift
    for _ in $(seq 100); do
        found="$("$@")"
        [ -n "$found" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    echo "$found"
}

# first_window_named TITLE_REGEX: the id of a shown window so titled, or nothing.
first_window_named() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true
}

# start_virtual_display WORK_FOLDER
# Starts Xvfb on a display number of its own choosing (-displayfd picks a free
# one and reports it once the server is ready, so parallel tests never race
# for a display) and exports DISPLAY. -noreset: an X server resets whenever
# its last client leaves, and a client arriving during the reset is turned
# away, so without it the probe below could make the program's own connection
# fail. Sets xvfb_pid; stop_virtual_display stops it.
start_virtual_display() {
    local work="$1"
    local display_file="$work/xvfb.display"
    : >"$display_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$display_file" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$display_file" ]; then
        echo "Xvfb did not start:"
        cat "$work/xvfb.log"
        return 1
    fi
    DISPLAY=":$(head -n 1 "$display_file")"
    export DISPLAY
    # On a loaded machine the server may name its display before it answers;
    # wait until a client really gets through, so the program is never the
    # first to try.
    local probe=(xdotool getmouselocation)
    command -v xdpyinfo >/dev/null 2>&1 && probe=(xdpyinfo)
    for _ in $(seq 200); do
        "${probe[@]}" >/dev/null 2>&1 && return 0
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    echo "Xvfb on $DISPLAY does not answer:"
    cat "$work/xvfb.log"
    return 1
}

# start_private_display WORK_FOLDER
# A private home, preferences, temporary and runtime folder inside the work
# folder (a desktop session's own runtime folder would otherwise get what the
# program puts there), and a virtual display (start_virtual_display) for the
# program to run on.
start_private_display() {
    local work="$1"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/config" TMPDIR="$work/tmp"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TMPDIR"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    start_virtual_display "$work" || return 1
    export QT_QPA_PLATFORM=xcb
}

# stop_virtual_display
# Stops the Xvfb of start_virtual_display and waits until it is gone: a server
# still shutting down removes its display's socket on its way out, which would
# take the socket away from the next server given the same display number.
stop_virtual_display() {
    [ -n "${xvfb_pid:-}" ] || return 0
    kill "$xvfb_pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}
