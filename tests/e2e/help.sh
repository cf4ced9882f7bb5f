#!/usr/bin/env bash
# F1 in the real program under Xvfb opens the real help viewer, titled "Help di Tessavo", on the
# program's own page, once; closing the address book closes it. A second F1 finding the open
# viewer is checked in-process.
# Usage: help.sh <product-dir>
set -euo pipefail
source "$(dirname "$0")/common.sh"

# A program directory with blanks in its name, as the help command line carries it unquoted.
prog="$work/Programmi di Tessavo"
install_program tessavohelp rubrica.htm rubrica-icons
viewers() { pgrep -f -- "$prog/tessavohelp" | wc -l; }

start_tray
start_rubrica
xdotool key --window "$window" F1

help_window() { xdotool search --onlyvisible --name '^Help di Tessavo$' 2>/dev/null | head -n 1; }
wait_for eval '[ -n "$(help_window)" ]' || fail "F1 opened no window titled 'Help di Tessavo'"
more_viewers() { [ "$(viewers)" -gt 1 ]; }
[ "$(viewers)" -eq 1 ] && never_within_a_second more_viewers || fail "$(viewers) viewers run after F1"

# F1 marks the sheet changed, as any key does in a cell: save first, so that closing asks nothing.
# Without a window manager the maximised viewer stays on top of the address book.
xdotool windowraise "$window"
save_and_close
wait_for eval '[ "$(viewers)" -eq 0 ]' || fail "the help viewer outlived the address book"
echo "F1 opened the help viewer once, and closing the address book closed it"
