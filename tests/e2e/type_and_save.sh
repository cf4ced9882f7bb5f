#!/usr/bin/env bash
# Types into the real program under Xvfb with xdotool, as a user would: three Down keys from
# the first cell, a word, the save button, the close button; then reads record 4 of the store.
# Usage: type_and_save.sh <product-dir>
set -euo pipefail
product=$1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# A program directory and a per-user runtime directory of the test's own.
cp "$product/rubrica" "$product/kardeltray" "$work/"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

"$work/kardeltray" &
for _ in $(seq 100); do
    "$work/kardeltray" --is-running && break
    sleep 0.1
done

"$work/rubrica" &
rubrica=$!
window=$(xdotool search --sync --onlyvisible --name "Rubrica di Tessavo" | head -n 1)
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key --window "$window" --delay 50 Down Down Down
xdotool type --window "$window" --delay 50 "Agnese"
# At 96 dpi the toolbar boxes span pixels 3..27 from the top; box 0 starts at x 3, box 12 at 602.
xdotool mousemove --window "$window" 15 15 click 1
sleep 0.5
xdotool mousemove --window "$window" 630 15 click 1
for _ in $(seq 100); do
    kill -0 "$rubrica" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$rubrica" 2>/dev/null; then
    echo "FAIL: the close button did not close the address book"
    exit 1
fi

record4=$(dd if="$work/rubri.dat" bs=146 skip=3 count=1 status=none | head -c 100)
expected=$(printf '%-100s' Agnese)
if [ "$record4" != "$expected" ]; then
    echo "FAIL: record 4 holds '${record4}'"
    exit 1
fi
echo "record 4 holds the typed word"
