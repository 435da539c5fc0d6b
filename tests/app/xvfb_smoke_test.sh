#!/usr/bin/env bash
# Starts the real program on a virtual X display with a private home, waits for
# the exam chooser, starts a Technician exam (which brings up the figure
# viewer), opens the exam history from the exam window, quits with the Quit
# shortcut while all of them are open and checks that the quit wrote the
# statistics file and ended cleanly (in the sanitizer build: without a leak).
set -euo pipefail

varno="$1"
# shellcheck source=../support/virtual_display.sh
source "$(dirname "$0")/../support/virtual_display.sh"
require_tools Xvfb xdotool

# A run that only LeakSanitizer's tracer failed is run once more, whole.
if [ -z "${VARNO_RUN_ONCE_MORE:-}" ]; then
    export VARNO_RUN_ONCE_MORE=1
    status=0
    once_more_after_tracer_crash bash "$0" "$@" || status=$?
    exit "$status"
fi

work="$(mktemp -d)"
varno_pid=""
cleanup() {
    [ -n "$varno_pid" ] && kill "$varno_pid" 2>/dev/null || true
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT

# wait_for_window TITLE_REGEX: prints the window's id once it is shown.
wait_for_window() {
    local found
    found="$(wait_for "$varno_pid" first_window_named "$1")"
    if [ -z "$found" ]; then
        echo "FAIL: no window titled like \"$1\" appeared" >&2
        cat "$work/varno.log" >&2
        return 1
    fi
    echo "$found"
}

start_private_display "$work"

"$varno" >"$work/varno.log" 2>&1 &
varno_pid=$!

chooser="$(wait_for_window '^Choose Exam$')"
echo "chooser window: $chooser"

# click_control WINDOW CONTENT_HEIGHT X Y: a click at a point of the window's
# controls, given as the program lays them out; the window's menu bar sits
# above them, as high as the window is higher than its content.
click_control() {
    local WIDTH HEIGHT X Y SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --window "$1" "$3" $(($4 + HEIGHT - $2)) click 1
}

sleep 0.5
# The chooser's "Technician" button (56, 64, 90 x 20 in a 202 x 186 window).
click_control "$chooser" 186 101 74
exam="$(wait_for_window '^Technician Exam$')"
echo "exam window: $exam"
wait_for_window '^Figures$' >/dev/null
# The exam window's "Exam History" button, laid out for its 685 x 470 size.
sleep 0.5
click_control "$exam" 470 452 427
history="$(wait_for_window 'Exam History$')"
echo "history window: $history"

sleep 0.5
xdotool windowfocus --sync "$exam" 2>/dev/null || xdotool windowfocus "$exam"
xdotool key --clearmodifiers ctrl+q

for _ in $(seq 100); do
    kill -0 "$varno_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$varno_pid" 2>/dev/null; then
    echo "FAIL: Varno did not quit on Ctrl+Q"
    exit 1
fi
status=0
wait "$varno_pid" || status=$?
varno_pid=""
if [ "$status" -ne 0 ]; then
    echo "FAIL: Varno exited with status $status"
    cat "$work/varno.log"
    exit 1
fi

prefs="$XDG_CONFIG_HOME/Varno Preferences"
if [ ! -f "$prefs" ]; then
    echo "FAIL: the quit wrote no statistics file"
    cat "$work/varno.log"
    exit 1
fi
size="$(stat -c %s "$prefs")"
if [ "$size" -ne 344002 ]; then
    echo "FAIL: statistics file is $size bytes, not 344002"
    exit 1
fi
echo "PASS: chooser shown, quit wrote a statistics file of $size bytes"
