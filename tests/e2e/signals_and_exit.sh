#!/usr/bin/env bash
# Runs the real program under Xvfb and checks what the tests in-process cannot: its exit
# status after a silent refusal and after a fatal message, and real termination signals
# reaching the close question; its answers are checked in-process.
# Usage: signals_and_exit.sh <product-dir>
set -uo pipefail
source "$(dirname "$0")/common.sh"
install_program

# Waits up to 10 s for process $1 to end and puts its exit status in $status (a subshell
# could not wait for it).
ended() {
    wait_end "$1" || return 1
    wait "$1"
    status=$?
}

# The windows titled like the address book other than $1 (its message boxes).
other_window() { xdotool search --onlyvisible --name "$title" 2>/dev/null | grep -vx "$1" | head -n 1 | grep .; }
box_besides() { wait_for other_window "$1" >/dev/null && other_window "$1"; }

# Sends key $2 to box $1 of process $3 until the box has gone: a box that has just appeared
# may not take keys yet. Window numbers are reused, by the next box or the next process, so
# the box is known by its number and its process together.
box_gone() {
    [ "$(xdotool getwindowpid "$1" 2>/dev/null)" = "$3" ] || return 0
    xdotool search --onlyvisible --name "$title" 2>/dev/null | grep -qx "$1" || return 0
    xdotool key --window "$1" "$2" 2>/dev/null
    return 1
}
answer() {
    xdotool windowfocus --sync "$1"
    wait_for box_gone "$@"
}

# No tray program: a silent end, status 0, nothing created.
"$prog/rubrica" &
ended $! && [ "$status" = 0 ] || fail "the refusal without the tray program did not exit 0"
[ -e "$work/rubri.dat" ] && fail "the refusal created the store"

start_tray

# A store that cannot be opened: the message, then a non-zero status.
mkdir "$work/rubri.dat"
"$prog/rubrica" &
rubrica=$!
box=$(box_besides none) || fail "no message about the unusable store"
answer "$box" Return $rubrica || fail "the fatal message did not take Return"
ended $rubrica || fail "the program did not end after the fatal message"
[ "$status" != 0 ] || fail "the fatal message ended with status 0"
rmdir "$work/rubri.dat"

# Nothing changed: SIGTERM closes without a question.
start_rubrica
kill -TERM $rubrica
ended $rubrica && [ "$status" = 0 ] || fail "SIGTERM without changes did not close the program with status 0"

# Changes: SIGHUP asks, and Sì saves and closes.
start_rubrica
xdotool type --window "$window" --delay 50 "Agnese"
kill -HUP $rubrica
box=$(box_besides "$window") || fail "SIGHUP with changes asked nothing"
answer "$box" Return $rubrica || fail "the close question did not take Return"
ended $rubrica && [ "$status" = 0 ] || fail "Sì after SIGHUP did not close the program with status 0"
head -c $((44 * 146)) "$work/rubri.dat" | grep -q Agnese || fail "the typed word is not in sheet A1"
echo "exit statuses and signals as expected"
