#!/usr/bin/env bash
# F1 in the real program under Xvfb opens the real help viewer, titled "Help di Tessavo", on the
# program's own page; a second F1 opens no second viewer; closing the address book closes it.
# Usage: help.sh <product-dir> [screenshot.png]
set -euo pipefail
source "$(dirname "$0")/common.sh"
shot=${2:-}

# A program directory with blanks in its name, as the help command line carries it unquoted.
prog="$work/Programmi di Tessavo"
install_program tessavohelp rubrica.htm rubrica-icons
viewers() { pgrep -f -- "$prog/tessavohelp" | wc -l; }

start_tray
start_rubrica
xdotool key --window "$window" F1

help=""
for _ in $(seq 100); do
    help=$(xdotool search --onlyvisible --name '^Help di Tessavo$' | head -n 1 || true)
    [ -n "$help" ] && break
    sleep 0.1
done
[ -n "$help" ] || fail "F1 opened no window titled 'Help di Tessavo'"
sleep 1
[ "$(viewers)" -eq 1 ] || fail "$(viewers) viewers run after F1"
# For the README: the viewer scrolled to the toolbar's buttons, whose pictures lie beside it.
if [ -n "$shot" ]; then
    xdotool windowfocus --sync "$help"
    xdotool key --window "$help" --delay 100 Next Next
    sleep 0.5
    import -window root "$shot"
fi

# Without a window manager the maximised viewer stays on top of the address book.
xdotool windowraise "$window"
xdotool windowfocus --sync "$window"
xdotool key --window "$window" shift+F1
sleep 1
[ "$(viewers)" -eq 1 ] || fail "a second F1 started another viewer"

# F1 marks the sheet changed, as any key does in a cell: save first, so that closing asks nothing.
xdotool windowraise "$window"
sleep 0.3
save_and_close
for _ in $(seq 50); do
    [ "$(viewers)" -eq 0 ] && break
    sleep 0.1
done
[ "$(viewers)" -eq 0 ] || fail "the help viewer outlived the address book"
[ -z "$(xdotool search --name '^Help di Tessavo$' || true)" ] || fail "a help window is still there"
echo "F1 opened the help viewer once, and closing the address book closed it"
