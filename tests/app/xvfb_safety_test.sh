#!/usr/bin/env bash
# The real program on a virtual X display, in the situations where a run could
# hang or lose the user's results:
#   signals       SIGTERM, SIGHUP and SIGINT after grading quit like File > Quit
#   second-copy   a second copy is refused before it touches the statistics
#                 file; a lock left by a crashed copy does not block the next
#   special-files a pipe as the statistics file or as a pool neither hangs the
#                 start nor freezes the program
#   lock-file     whatever is left or planted at the lock file's name, the
#                 user is never kept out, and is told when no lock is held
#   full-disk     a full disk neither drops the lock nor keeps the user out
#   open-help     Open Help never writes through links planted in the shared
#                 temporary folder
#   lock-removed  two copies run because the lock file was removed under the
#                 first: the one that quits last adds its exam to the other's
#   preferences-file  a file in the preferences folder's place: the user is
#                 told at start and at quit, and the run ends with status 1
#   damaged-pool  a Technician pool whose pass mark is 0, or that begins with a
#                 byte-order mark, is refused and no exam result is filed
#
# Usage: xvfb_safety_test.sh SCENARIO VARNO_PROGRAM
set -euo pipefail

scenario="$1"
varno="$2"
# shellcheck source=../support/virtual_display.sh
source "$(dirname "$0")/../support/virtual_display.sh"
require_tools Xvfb xdotool xprop

# A run that only LeakSanitizer's tracer failed is run once more, whole.
if [ -z "${VARNO_RUN_ONCE_MORE:-}" ]; then
    export VARNO_RUN_ONCE_MORE=1
    status=0
    once_more_after_tracer_crash bash "$0" "$@" || status=$?
    exit "$status"
fi

work="$(mktemp -d)"
started_pids=()
mounted_config=0
cleanup() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    stop_virtual_display
    if [ "$mounted_config" -eq 1 ]; then
        umount "$XDG_CONFIG_HOME" 2>/dev/null || umount -l "$XDG_CONFIG_HOME" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    local log
    for log in "$work"/varno-*.log; do
        [ -s "$log" ] && { echo "--- $log"; cat "$log"; }
    done
    exit 1
}

start_private_display "$work"
# Without a runtime folder Open Help's copy goes to the (private) temporary
# folder, where the open-help scenario plants its links.
unset XDG_RUNTIME_DIR
prefs="$XDG_CONFIG_HOME/Varno Preferences"

# A background job of a script starts with SIGINT ignored, and the program
# rightly keeps a signal that it found ignored; a terminal's Ctrl+C reaches a
# program whose SIGINT is at its default.
default_signals=()
if env --default-signal=INT true 2>/dev/null; then
    default_signals=(env --default-signal=INT)
fi

# start_varno NAME [PROGRAM]: starts a copy, sets varno_pid; output in varno-NAME.log.
start_varno() {
    local program="${2:-$varno}"
    "${default_signals[@]}" "$program" >"$work/varno-$1.log" 2>&1 &
    varno_pid=$!
    started_pids+=("$varno_pid")
}

# window_of PID PATTERN: the first visible window of the process whose title
# matches, or nothing.
window_of() {
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1 || true
}

# wait_window PID PATTERN: waits up to 20 s for such a window and prints it.
wait_window() {
    wait_for "$1" window_of "$1" "$2"
}

# message_box PID: a modal message box of the process, or nothing.
message_box() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
        if xprop -id "$window" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_MODAL; then
            echo "$window"
            return 0
        fi
    done
}

# new_window PID KNOWN: a shown window of the process that is not among the
# window ids in KNOWN, or nothing.
new_window() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null || true); do
        case " $2 " in
        *" $window "*) ;;
        *)
            echo "$window"
            return 0
            ;;
        esac
    done
}

wait_message_box() {
    wait_for "$1" message_box "$1"
}

# expect_message PID WHAT: a message box (the one saying WHAT: its words are
# checked by the shell test) comes up before anything else; it is dismissed.
expect_message() {
    local box
    box="$(wait_message_box "$1")"
    [ -n "$box" ] || fail "nothing said $2"
    [ -z "$(window_of "$1" '^Choose Exam$')" ] || fail "the chooser came before the message that $2"
    dismiss "$box"
}

# dismiss WINDOW: Return in the window (the message box's OK).
dismiss() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    xdotool key --clearmodifiers Return
}

# quit_with_shortcut WINDOW: File > Quit through its shortcut.
quit_with_shortcut() {
    sleep 0.3
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    xdotool key --clearmodifiers ctrl+q
}

# quit_from_chooser PID FAILURE: waits for the exam chooser (failing with
# FAILURE when none comes) and quits from it.
quit_from_chooser() {
    local chooser
    chooser="$(wait_window "$1" '^Choose Exam$')"
    [ -n "$chooser" ] || fail "$2"
    quit_with_shortcut "$chooser"
}

# wait_exit PID: waits up to 20 s for the copy to end; sets exit_status
# (124 when it did not end).
wait_exit() {
    for _ in $(seq 200); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$1" 2>/dev/null; then
        exit_status=124
        return
    fi
    exit_status=0
    wait "$1" || exit_status=$?
}

# choose_technician PID [WHAT]: waits for the exam chooser and presses its
# Technician button; sets chooser.
choose_technician() {
    chooser="$(wait_window "$1" '^Choose Exam$')"
    [ -n "$chooser" ] || fail "${2:+$2: }no exam chooser appeared"
    sleep 0.3
    # The chooser's Technician button, below the window's 19-pixel menu bar.
    xdotool mousemove --window "$chooser" 101 93 click 1
}

# grade_technician PID: Technician from the chooser, then Grade Exam at once
# (every question unanswered), until the results window shows.
grade_technician() {
    local exam
    choose_technician "$1"
    exam="$(wait_window "$1" '^Technician Exam$')"
    [ -n "$exam" ] || fail "Technician did not open the exam window"
    sleep 0.3
    xdotool mousemove --window "$exam" 311 435 click 1
    [ -n "$(wait_window "$1" '^Results$')" ] || fail "Grade Exam showed no results"
}

# first_history [SLOT]: "right wrong date-bytes" of Technician's history slot
# (the first unless given).
first_history() {
    local record
    record="$(od -A n -t u1 -j $((8002 + 24 * (${1:-1} - 1))) -N 24 -v "$prefs" | tr -s ' \n' ' ')"
    read -r -a bytes <<<"$record"
    local right=$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))
    local wrong=$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))
    echo "$right $wrong ${bytes[*]:8:8}"
}

expect_graded_history() {
    [ -f "$prefs" ] || fail "$1: no statistics file was written"
    local size
    size="$(stat -c %s "$prefs")"
    [ "$size" -eq 344002 ] || fail "$1: statistics file is $size bytes"
    local right wrong date
    read -r right wrong date <<<"$(first_history)"
    [ "$date" != "0 0 0 0 0 0 0 0" ] || fail "$1: the graded exam has no history entry"
    [ $((right + wrong)) -gt 0 ] || fail "$1: the history entry counts no questions"
    echo "$1: history kept ($right right, $wrong wrong)"
}

scenario_signals() {
    local signals=(TERM HUP)
    [ ${#default_signals[@]} -gt 0 ] && signals+=(INT)
    local signal
    for signal in "${signals[@]}"; do
        rm -f "$prefs"
        start_varno "$signal"
        grade_technician "$varno_pid"
        kill "-$signal" "$varno_pid"
        wait_exit "$varno_pid"
        [ "$exit_status" -eq 0 ] || fail "SIG$signal: exit status $exit_status"
        expect_graded_history "SIG$signal"
    done
}

scenario_second_copy() {
    start_varno first
    local first=$varno_pid
    grade_technician "$first"

    # The first copy has read its (missing) file. Were the second to read the
    # file, it would set this pipe aside as a damaged file.
    mkfifo "$prefs"
    start_varno second
    local second=$varno_pid
    local box
    box="$(wait_message_box "$second")"
    [ -n "$box" ] || fail "the second copy showed no message"
    [ -z "$(window_of "$second" '^Choose Exam$')" ] || fail "the second copy went on to start"
    dismiss "$box"
    wait_exit "$second"
    [ "$exit_status" -ne 0 ] && [ "$exit_status" -ne 124 ] \
        || fail "the second copy ended with status $exit_status"
    [ -p "$prefs" ] || fail "the second copy touched the statistics file"
    [ ! -e "$prefs.damaged" ] || fail "the second copy read the statistics file"
    echo "second copy refused (status $exit_status), statistics file untouched"

    # The results window is modal, so the menus wait; a logout does not.
    kill -TERM "$first"
    wait_exit "$first"
    [ "$exit_status" -eq 0 ] || fail "the first copy ended with status $exit_status"
    expect_graded_history "first copy"

    # A copy that crashed leaves its lock behind; the next one takes it over.
    start_varno crashed
    local crashed=$varno_pid
    [ -n "$(wait_window "$crashed" '^Choose Exam$')" ] || fail "the third copy did not start"
    kill -9 "$crashed"
    wait "$crashed" 2>/dev/null || true
    start_varno after-crash
    local chooser
    chooser="$(wait_window "$varno_pid" '^Choose Exam$')"
    [ -n "$chooser" ] || fail "a lock left by a crashed copy blocked the next start"
    [ -z "$(message_box "$varno_pid")" ] || fail "the copy after a crash was refused"
    quit_with_shortcut "$chooser"
    wait_exit "$varno_pid"
    [ "$exit_status" -eq 0 ] || fail "the copy after the crash ended with status $exit_status"
    expect_graded_history "after the crash"
}

scenario_special_files() {
    # A pipe as the statistics file: the chooser comes up, the user is told,
    # the pipe is set aside and the quit writes a new file.
    mkfifo "$prefs"
    start_varno fifo-statistics
    local chooser box
    chooser="$(wait_window "$varno_pid" '^Choose Exam$')"
    [ -n "$chooser" ] || fail "a pipe as the statistics file blocked the start"
    box="$(wait_message_box "$varno_pid")"
    [ -n "$box" ] || fail "nothing told the user about the statistics file"
    dismiss "$box"
    quit_with_shortcut "$chooser"
    wait_exit "$varno_pid"
    [ "$exit_status" -eq 0 ] || fail "pipe as statistics file: exit status $exit_status"
    [ -p "$prefs.damaged" ] || fail "the pipe was not set aside"
    [ "$(stat -c %s "$prefs")" -eq 344002 ] || fail "no new statistics file after the pipe"
    echo "pipe as statistics file: started, set aside, quit"

    # A pipe as the Technician pool, in a copy of the program beside its own
    # resource folder: choosing Technician tells the user, and the program
    # still answers and quits.
    local resources
    resources="$(dirname "$(readlink -f "$varno")")/../Resources"
    mkdir -p "$work/app/bin"
    cp "$(readlink -f "$varno")" "$work/app/bin/varno"
    cp -r "$resources" "$work/app/Resources"
    rm "$work/app/Resources/TechFile.txt"
    mkfifo "$work/app/Resources/TechFile.txt"
    start_varno fifo-pool "$work/app/bin/varno"
    chooser="$(wait_window "$varno_pid" '^Choose Exam$')"
    [ -n "$chooser" ] || fail "the copy with a pipe as pool did not start"
    [ -z "$(message_box "$varno_pid")" ] || dismiss "$(message_box "$varno_pid")"
    sleep 0.3
    xdotool mousemove --window "$chooser" 101 93 click 1
    box="$(wait_message_box "$varno_pid")"
    [ -n "$box" ] || fail "choosing Technician with a pipe as pool said nothing"
    # Whatever follows from an empty pool is said in message boxes too.
    for _ in $(seq 5); do
        box="$(message_box "$varno_pid")"
        [ -n "$box" ] || break
        dismiss "$box"
        sleep 0.5
    done
    quit_with_shortcut "$chooser"
    wait_exit "$varno_pid"
    [ "$exit_status" -eq 0 ] || fail "pipe as pool: the program did not quit (status $exit_status)"
    echo "pipe as pool: told, still answering, quit"
}

scenario_open_help() {
    # The shared temporary folder, open to everyone, as /tmp is.
    chmod 1777 "$TMPDIR"
    local uid
    uid="$(id -u)"
    mkdir -p "$work/bin" "$HOME/documents/folder"
    printf 'the user'"'"'s own file\n' >"$HOME/documents/precious"
    printf 'another file of the user\n' >"$HOME/documents/precious2"
    # Planted ahead of the user: the old fixed name, and the private folder's name.
    ln -s "$HOME/documents/precious" "$TMPDIR/VarnoDocs.pdf"
    ln -s "$HOME/documents/folder" "$TMPDIR/varno-$uid"
    # The desktop's document opener, as the program finds it on PATH.
    cat >"$work/bin/xdg-open" <<'OPENER'
#!/bin/sh
printf '%s\n' "$1" >>"$VARNO_TEST_LAUNCHES"
OPENER
    chmod +x "$work/bin/xdg-open"
    export PATH="$work/bin:$PATH" VARNO_TEST_LAUNCHES="$work/launches"

    local document
    document="$(dirname "$(readlink -f "$varno")")/../Resources/Varno Docs.pdf"
    start_varno open-help
    local exam
    choose_technician "$varno_pid"
    exam="$(wait_window "$varno_pid" '^Technician Exam$')"
    [ -n "$exam" ] || fail "no exam window, whose menu bar has room for Help"

    open_help_and_check() {
        local round="$1" expected_folder="$2" launches_before launched
        launches_before="$(wc -l <"$work/launches" 2>/dev/null || echo 0)"
        sleep 0.3
        # Help is the fourth title of the bar; Open Help its only item, clicked
        # once the menu is up.
        local before
        before="$(xdotool search --onlyvisible --pid "$varno_pid" 2>/dev/null | tr '\n' ' ')"
        xdotool mousemove --window "$exam" 140 9 click 1
        [ -n "$(wait_for "$varno_pid" new_window "$varno_pid" "$before")" ] \
            || fail "$round: the Help menu did not open"
        xdotool mousemove --window "$exam" 140 30 click 1
        for _ in $(seq 100); do
            [ "$(wc -l <"$work/launches" 2>/dev/null || echo 0)" -gt "$launches_before" ] && break
            sleep 0.1
        done
        launched="$(tail -n 1 "$work/launches" 2>/dev/null || true)"
        launched="${launched#file://}"
        [ -n "$launched" ] || fail "$round: Open Help launched nothing"
        [ -f "$launched" ] && [ ! -L "$launched" ] || fail "$round: $launched is not a plain file"
        [ ! -L "$(dirname "$launched")" ] || fail "$round: the copy's folder is a link"
        [ "$(stat -c '%u %a' "$(dirname "$launched")")" = "$uid 700" ] \
            || fail "$round: the copy's folder is not the user's alone"
        if [ -n "$expected_folder" ]; then
            [ "$(dirname "$launched")" = "$expected_folder" ] \
                || fail "$round: the copy is in $(dirname "$launched"), not $expected_folder"
        fi
        cmp -s "$launched" "$document" || fail "$round: the copy differs from the shipped document"
        [ "$(basename "$launched")" = "VarnoDocs.pdf" ] || fail "$round: the copy is named $launched"
        echo "$round: launched $launched"
    }

    open_help_and_check "links planted at the old name and the folder's name" ""
    [ "$(cat "$HOME/documents/precious")" = "the user's own file" ] \
        || fail "the file behind the planted link was written"
    [ -L "$TMPDIR/VarnoDocs.pdf" ] || fail "the planted link was replaced"
    [ -z "$(ls -A "$HOME/documents/folder")" ] || fail "something was written into the linked folder"

    # A link planted inside the user's own private folder is replaced, never
    # written through.
    rm "$TMPDIR/varno-$uid"
    mkdir -m 700 "$TMPDIR/varno-$uid"
    ln -s "$HOME/documents/precious2" "$TMPDIR/varno-$uid/VarnoDocs.pdf"
    open_help_and_check "link planted at the copy's own name" "$TMPDIR/varno-$uid"
    [ "$(cat "$HOME/documents/precious2")" = "another file of the user" ] \
        || fail "the file behind the link at the copy's name was written"

    quit_with_shortcut "$exam"
    wait_exit "$varno_pid"
    [ "$exit_status" -eq 0 ] || fail "Varno ended with status $exit_status"
}

scenario_damaged_pool() {
    # A copy of the program beside a resource folder of its own, whose
    # Technician pool is damaged one way for each run.
    local resources
    resources="$(dirname "$(readlink -f "$varno")")/../Resources"
    mkdir -p "$work/app/bin"
    cp "$(readlink -f "$varno")" "$work/app/bin/varno"
    cp -r "$resources" "$work/app/Resources"
    local pool="$work/app/Resources/TechFile.txt" damage box exam
    for damage in "pass mark 0" "byte-order mark"; do
        case "$damage" in
        "pass mark 0") sed '1s/.*/0/' "$resources/TechFile.txt" >"$pool" ;;
        *) { printf '\357\273\277' && cat "$resources/TechFile.txt"; } >"$pool" ;;
        esac
        rm -f "$prefs"
        start_varno "$damage" "$work/app/bin/varno"
        choose_technician "$varno_pid" "$damage"
        box="$(wait_message_box "$varno_pid")"
        [ -n "$box" ] || fail "$damage: choosing Technician said nothing"
        dismiss "$box"
        # The exam window comes up without an exam, and says why in its
        # place: a click on Grade Exam grades nothing.
        exam="$(wait_window "$varno_pid" '^Varno$')"
        [ -n "$exam" ] || fail "$damage: no exam window after the refusal"
        [ -z "$(window_of "$varno_pid" '^Technician Exam$')" ] \
            || fail "$damage: the refused pool gave a Technician exam"
        sleep 0.3
        xdotool mousemove --window "$exam" 311 435 click 1
        sleep 0.5
        [ -z "$(window_of "$varno_pid" '^Results$')" ] || fail "$damage: an exam was graded"
        [ -z "$(message_box "$varno_pid")" ] || fail "$damage: Grade Exam showed a message"
        quit_with_shortcut "$exam"
        wait_exit "$varno_pid"
        [ "$exit_status" -eq 0 ] || fail "$damage: exit status $exit_status"
        [ "$(stat -c %s "$prefs")" -eq 344002 ] || fail "$damage: no statistics file was saved"
        [ "$(first_history)" = "0 0 0 0 0 0 0 0 0 0" ] \
            || fail "$damage: a Technician result was filed ($(first_history))"
        echo "$damage: refused, nothing graded or filed"
    done
}

# start_past_the_lock NAME [REASON]: a copy starts and comes to the chooser,
# first saying why it holds no lock when REASON is given; it then quits and
# saves its statistics.
start_past_the_lock() {
    local name="$1" reason="${2:-}"
    rm -f "$prefs"
    start_varno "$name"
    if [ -n "$reason" ]; then
        expect_message "$varno_pid" "that no lock could be taken ($reason)"
    fi
    local chooser
    chooser="$(wait_window "$varno_pid" '^Choose Exam$')"
    [ -n "$chooser" ] || fail "$name: the copy never came to the chooser"
    [ -z "$(message_box "$varno_pid")" ] || fail "$name: an unexpected message"
    local rss
    rss="$(awk '/^VmRSS/ { print $2 }' "/proc/$varno_pid/status")"
    [ "$rss" -lt 400000 ] || fail "$name: the copy holds $rss kB"
    quit_with_shortcut "$chooser"
    wait_exit "$varno_pid"
    [ "$exit_status" -eq 0 ] || fail "$name: exit status $exit_status"
    [ "$(stat -c %s "$prefs")" -eq 344002 ] || fail "$name: no statistics file was saved"
    echo "$name: started${reason:+ and told \"$reason\"}, quit, saved"
}

scenario_lock_file() {
    local lock="$XDG_CONFIG_HOME/Varno Preferences.lock"
    mkdir -p "$XDG_CONFIG_HOME"

    # One of each way a lock file blocked, hung or bloated the start before;
    # the instance lock's own test goes through every kind.
    # Left behind by a kill while it was made: taken.
    : >"$lock"
    start_past_the_lock "empty lock file"
    rm -f "$lock"
    truncate -s 5G "$lock"
    start_past_the_lock "sparse lock file of 5 GB"
    [ "$(stat -c %s "$lock")" -eq $((5 << 30)) ] || fail "the sparse lock file was changed"

    # Not a file of ours: never opened through, and the user hears it.
    printf 'the user'"'"'s own file\n' >"$work/precious"
    rm -f "$lock"
    ln -s "$work/precious" "$lock"
    start_past_the_lock "link to a file" "a symbolic link"
    [ "$(cat "$work/precious")" = "the user's own file" ] || fail "the linked file was written"
    rm -f "$lock"
    mkfifo "$lock"
    start_past_the_lock "named pipe" "a named pipe"
    rm -f "$lock"
}

scenario_full_disk() {
    if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=2m,mode=700 tmpfs "$XDG_CONFIG_HOME" 2>/dev/null; then
        echo "SKIP: a small file system of its own needs root"
        exit 77
    fi
    mounted_config=1

    # No room left for a byte: the lock, which writes nothing, is still
    # taken, and a second copy is still refused.
    dd if=/dev/zero of="$XDG_CONFIG_HOME/filler" bs=64k 2>/dev/null || true
    start_varno first
    local first=$varno_pid
    grade_technician "$first"
    start_varno second
    expect_message "$varno_pid" "that Varno is already running"
    wait_exit "$varno_pid"
    [ "$exit_status" -eq 1 ] || fail "the second copy ended with status $exit_status"
    echo "full disk: the lock held, the second copy was refused"
    rm -f "$XDG_CONFIG_HOME/filler"
    kill -TERM "$first"
    wait_exit "$first"
    [ "$exit_status" -eq 0 ] || fail "the first copy ended with status $exit_status"
    expect_graded_history "first copy"

    # No room even for the lock file: the copy starts, and says what it means.
    umount "$XDG_CONFIG_HOME"
    mount -t tmpfs -o size=2m,nr_inodes=3,mode=700 tmpfs "$XDG_CONFIG_HOME"
    : >"$XDG_CONFIG_HOME/a"
    : >"$XDG_CONFIG_HOME/b" 2>/dev/null || true
    start_varno no-room
    expect_message "$varno_pid" "that no lock could be made on the full disk"
    quit_from_chooser "$varno_pid" "no room for the lock kept the user out"
    echo "full disk: no lock file could be made, the user was told and not kept out"
}

scenario_lock_removed() {
    start_varno first
    local first=$varno_pid
    grade_technician "$first"
    # The user removes the lock file; the next copy takes a new one, unaware
    # of the first, and grades an exam of its own.
    rm "$XDG_CONFIG_HOME/Varno Preferences.lock"
    start_varno second
    local second=$varno_pid
    grade_technician "$second"

    kill -TERM "$first"
    wait_exit "$first"
    [ "$exit_status" -eq 0 ] || fail "the first copy ended with status $exit_status"
    expect_graded_history "the first copy"
    local first_row
    first_row="$(first_history 1)"

    # The second copy read no file at its start; quitting, it finds the first
    # one's file and adds its own exam to it.
    # The results window is modal too: the message is the window that is new.
    local before box
    before="$(xdotool search --onlyvisible --pid "$second" 2>/dev/null | tr '\n' ' ')"
    kill -TERM "$second"
    box="$(wait_for "$second" new_window "$second" "$before")"
    [ -n "$box" ] || fail "the second copy did not say that it added to the other's file"
    dismiss "$box"
    wait_exit "$second"
    [ "$exit_status" -eq 0 ] || fail "the second copy ended with status $exit_status"
    [ "$(first_history 1)" = "$first_row" ] || fail "the first copy's exam was written over"
    local right wrong date
    read -r right wrong date <<<"$(first_history 2)"
    [ "$date" != "0 0 0 0 0 0 0 0" ] && [ $((right + wrong)) -gt 0 ] \
        || fail "the second copy's exam was not added"
    echo "lock removed: both copies' exams are in the file"
}

scenario_preferences_file() {
    rm -rf "$XDG_CONFIG_HOME"
    printf 'not a folder\n' >"$XDG_CONFIG_HOME"
    start_varno preferences-file
    expect_message "$varno_pid" "that the preferences folder cannot be used"
    quit_from_chooser "$varno_pid" "a file as the preferences folder kept the user out"
    local box
    box="$(wait_message_box "$varno_pid")"
    [ -n "$box" ] || fail "the quit did not say that the results could not be saved"
    dismiss "$box"
    wait_exit "$varno_pid"
    [ "$exit_status" -eq 1 ] || fail "the run ended with status $exit_status"
    [ "$(cat "$XDG_CONFIG_HOME")" = "not a folder" ] || fail "the file was changed"
    echo "preferences folder is a file: told at start and quit, status 1"
}

case "$scenario" in
signals) scenario_signals ;;
second-copy) scenario_second_copy ;;
special-files) scenario_special_files ;;
lock-file) scenario_lock_file ;;
full-disk) scenario_full_disk ;;
open-help) scenario_open_help ;;
lock-removed) scenario_lock_removed ;;
preferences-file) scenario_preferences_file ;;
damaged-pool) scenario_damaged_pool ;;
*)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac
echo "PASS: $scenario"
