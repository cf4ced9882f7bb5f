#!/usr/bin/env bash
# Runs the real program under Xvfb and checks what the tests in-process cannot: its exit
# status after a silent refusal, real key presses typed and taken back (Ctrl+Z, Ctrl+Y), and
# real termination signals reaching the close question, whose Sì saves.
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

# Nothing changed: SIGTERM closes without a question.
start_rubrica
kill -TERM $rubrica
ended $rubrica && [ "$status" = 0 ] || fail "SIGTERM without changes did not close the program with status 0"

# Changes: three Down keys from the first cell, a word, Ctrl+Z and Ctrl+Y; Down, a second word
# and Ctrl+Z. SIGHUP asks, and Sì saves and closes.
start_rubrica
xdotool key --window "$window" --delay 50 Down Down Down
xdotool type --window "$window" --delay 50 "Agnese"
xdotool key --window "$window" --delay 50 ctrl+z ctrl+y Down
xdotool type --window "$window" --delay 50 "Bruno"
xdotool key --window "$window" --delay 50 ctrl+z
kill -HUP $rubrica
box=$(box_besides "$window") || fail "SIGHUP with changes asked nothing"
answer "$box" Return $rubrica || fail "the close question did not take Return"
ended $rubrica && [ "$status" = 0 ] || fail "Sì after SIGHUP did not close the program with status 0"
[ "$(field 4 0 100)" = "$(padded Agnese 100)" ] || fail "record 4 holds $(field 4 0 100)"
[ "$(field 5 0 100)" = "$(padded '' 100)" ] || fail "record 5 holds $(field 5 0 100) after its undo"
echo "exit statuses and signals as expected; record 4 holds the typed word, record 5 nothing after its undo"
