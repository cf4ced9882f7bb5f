#!/usr/bin/env bash
# F1 in the real program under Xvfb opens the real help viewer, titled "Help di Tessavo", on the
# program's own page; a second F1 opens no second viewer; closing the address book closes it.
# Usage: help.sh <product-dir> [screenshot.png]
set -euo pipefail
product=$1
shot=${2:-}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# A program directory with blanks in its name, as the help command line carries it unquoted.
dir="$work/Programmi di Tessavo"
mkdir -p "$dir"
cp -r "$product/rubrica" "$product/kardeltray" "$product/tessavohelp" "$product/rubrica.htm" \
    "$product/rubrica-icons" "$dir/"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*"; exit 1; }
viewers() { pgrep -f -- "$dir/tessavohelp" | wc -l; }

"$dir/kardeltray" &
for _ in $(seq 100); do
    "$dir/kardeltray" --is-running && break
    sleep 0.1
done

"$dir/rubrica" &
rubrica=$!
window=$(xdotool search --sync --onlyvisible --name "Rubrica di Tessavo" | head -n 1)
xdotool windowfocus --sync "$window"
sleep 0.5
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
# At 96 dpi the toolbar boxes span pixels 3..27 from the top; box 0 starts at x 3, box 12 at 602.
xdotool windowraise "$window"
sleep 0.3
xdotool mousemove --window "$window" 15 15 click 1
sleep 0.5
xdotool mousemove --window "$window" 630 15 click 1
for _ in $(seq 100); do
    kill -0 "$rubrica" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$rubrica" 2>/dev/null && fail "the close button did not close the address book"
for _ in $(seq 50); do
    [ "$(viewers)" -eq 0 ] && break
    sleep 0.1
done
[ "$(viewers)" -eq 0 ] || fail "the help viewer outlived the address book"
[ -z "$(xdotool search --name '^Help di Tessavo$' || true)" ] || fail "a help window is still there"
echo "F1 opened the help viewer once, and closing the address book closed it"
