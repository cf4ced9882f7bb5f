#!/usr/bin/env bash
# Types into the real program under Xvfb with xdotool, as a user would: three Down keys from
# the first cell, a word, Ctrl+Z and Ctrl+Y; Down, a second word and Ctrl+Z; the save button,
# the close button; then reads records 4 and 5 of the store.
# Usage: type_and_save.sh <product-dir>
set -euo pipefail
source "$(dirname "$0")/common.sh"

install_program
start_tray
start_rubrica
xdotool key --window "$window" --delay 50 Down Down Down
xdotool type --window "$window" --delay 50 "Agnese"
xdotool key --window "$window" --delay 50 ctrl+z ctrl+y Down
xdotool type --window "$window" --delay 50 "Bruno"
xdotool key --window "$window" --delay 50 ctrl+z
save_and_close

record4=$(dd if="$work/rubri.dat" bs=146 skip=3 count=1 status=none | head -c 100)
[ "$record4" = "$(printf '%-100s' Agnese)" ] || fail "record 4 holds '${record4}'"
record5=$(dd if="$work/rubri.dat" bs=146 skip=4 count=1 status=none | head -c 100)
[ "$record5" = "$(printf '%-100s' '')" ] || fail "record 5 holds '${record5}' after its undo"
echo "record 4 holds the typed word, record 5 nothing after its undo"
