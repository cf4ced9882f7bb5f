#!/usr/bin/env bash
# Takes the README's screenshots of the real program under Xvfb: sheet A1 with a few entries,
# sheet M1 with a toolbar button under the pointer, and the text colour palette open under its
# button over a bold, an underlined and a red entry. Usage: scripts/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ -z "${DISPLAY:-}" ] || [ -z "${RUBRICA_IN_XVFB:-}" ]; then
    command -v import >/dev/null || { echo "needs ImageMagick (apt-get install imagemagick)"; exit 1; }
    RUBRICA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$build/product/rubrica" "$build/product/kardeltray" "$work/"
printf '[Rubrica]\r\nColTasti=1\r\nColSfondo=1\r\n' >"$work/Kardel.ini"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

"$work/kardeltray" &
for _ in $(seq 100); do "$work/kardeltray" --is-running && break; sleep 0.1; done
"$work/rubrica" &
window=$(xdotool search --sync --onlyvisible --name "Rubrica di Tessavo" | head -n 1)
xdotool windowfocus --sync "$window"
sleep 0.5
entry() { xdotool type --delay 15 "$1"; xdotool key Right; xdotool type --delay 15 "$2"; xdotool key Return; }
entry "Alberti Giovanna, via Roma 12" "02 5551234"
entry "Amato Luca" "347 1234567"
entry "Angelini dott. Paolo (dentista)" "06 5550199"
entry "Arnaldi Sofia e Marco" "011 555 8822"
sleep 0.3
mkdir -p docs
import -window "$window" docs/screenshot-main.png

# Save, switch to sheet M1, then rest the pointer on the bold button.
xdotool mousemove --window "$window" 15 15 click 1
sleep 0.3
xdotool mousemove --window "$window" 317 57 click 1
sleep 0.3
xdotool mousemove --window "$window" 124 16
sleep 0.5
import -window "$window" docs/screenshot-toolbar.png

# Sheet M1: a bold, an underlined and a red entry, then the palette opened again over them.
# Toolbar buttons by their place in the window, in pixels at 96 dpi.
button() { xdotool mousemove --window "$window" "$1" 16 click 1; sleep 0.3; }
bold=124 underline=148 colour=236
pick_red() {
    local palette
    palette=$(xdotool search --sync --onlyvisible --name "^Colore testo$" | head -n 1)
    xdotool mousemove --window "$palette" 34 33 click 1 # Label4, red
    sleep 0.3
}
xdotool type --delay 15 "Mancini Elena"; button $bold
xdotool key Right; xdotool type --delay 15 "02 5550101"; xdotool key Return
xdotool type --delay 15 "Marchetti Luigi (avvocato)"; button $underline
xdotool key Right; xdotool type --delay 15 "06 5550177"; xdotool key Return
xdotool type --delay 15 "Moretti Anna - urgente"; button $colour; pick_red
xdotool key Right; xdotool type --delay 15 "339 5550123"; xdotool key Return
entry "Mazza Giorgio" "011 5550145"
button $colour
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/screenshot-palette.png

# A cell's own context menu, in Italian whatever the system's language.
xdotool key Escape
sleep 0.3
xdotool mousemove --window "$window" 60 110 click 3
sleep 0.5
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/screenshot-context-menu.png
xdotool key Escape
echo "docs/screenshot-{main,toolbar,palette,context-menu}.png written"
