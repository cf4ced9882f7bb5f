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

[ "$(field 4 0 100)" = "$(padded Agnese 100)" ] || fail "record 4 holds $(field 4 0 100)"
[ "$(field 5 0 100)" = "$(padded '' 100)" ] || fail "record 5 holds $(field 5 0 100) after its undo"
echo "record 4 holds the typed word, record 5 nothing after its undo"
