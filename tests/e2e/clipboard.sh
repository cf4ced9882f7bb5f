#!/usr/bin/env bash
# The toolbar's paste and cut against the real X11 clipboard, under Xvfb: lines put on the
# clipboard by xclip go down the selected column and reach the store; a middle click pastes
# the primary selection into one cell; a cut can be read back by xclip.
# Usage: clipboard.sh <product-dir>
set -euo pipefail
source "$(dirname "$0")/common.sh"

# Cut, copy and paste start at x 33, 57 and 81. The short cell of row 1 starts at (223, 72).
cut() { click_box 44; }
paste() { click_box 92; }

install_program
start_tray
start_rubrica

# Three lines, Windows line ends, a letter outside the code page and an accent written as e
# plus a combining mark. xclip stays in the foreground, serving the clipboard until the cut.
printf 'Uno\r\nCitt\xc3\xa0\r\nJose\xcc\x81 \xce\xa9\r\n' | xclip -quiet -selection clipboard 2>/dev/null &
wait_for eval '[ "$(xclip -o -selection clipboard 2>/dev/null | head -c 3)" = Uno ]' || fail "xclip holds no clipboard"
xdotool key --window "$window" --delay 50 Down Down
paste
printf 'Nin\xcc\x83o\n' | xclip -quiet -selection primary 2>/dev/null &
wait_for eval '[ "$(xclip -o -selection primary 2>/dev/null | head -c 3)" = Nin ]' || fail "xclip holds no primary selection"
xdotool mousemove --window "$window" 240 80 click 2
click_box 15 # save

wait_for eval '[ "$(field 1 100 40)" = "$(padded "Ni\361o" 40)" ]' || fail "short cell 1 holds $(field 1 100 40)"
[ "$(field 3 0 100)" = "$(padded 'Uno' 100)" ] || fail "row 3 holds $(field 3 0 100)"
[ "$(field 4 0 100)" = "$(padded 'Citt\340' 100)" ] || fail "row 4 holds $(field 4 0 100)"
[ "$(field 5 0 100)" = "$(padded 'Jos\351 ?' 100)" ] || fail "row 5 holds $(field 5 0 100)"
[ "$(field 6 0 100)" = "$(padded '' 100)" ] || fail "row 6 holds $(field 6 0 100)"
echo "the pasted lines reached the store"

# Rows 3 to 5 selected with Shift+Down, then cut: the clipboard holds their lines.
xdotool mousemove --window "$window" 20 110 click 1 # long cell of row 3
xdotool key --window "$window" --delay 50 shift+Down shift+Down
cut
clip() { xclip -o -selection clipboard | od -An -c | tr -s ' '; }
want=$(printf 'Uno\nCitt\xc3\xa0\nJos\xc3\xa9 ?\n' | od -An -c | tr -s ' ')
wait_for eval '[ "$(clip)" = "$want" ]' || fail "the clipboard holds $(clip)"
save_and_close
[ "$(field 4 0 100)" = "$(padded '' 100)" ] || fail "row 4 still holds $(field 4 0 100)"
echo "the cut lines are on the clipboard and gone from the store"

# No clipboard manager runs here: the tray stand-in took the cut text over as the book ended.
[ "$(clip)" = "$want" ] || fail "after the end the clipboard holds $(clip)"
echo "the cut outlives the address book"
