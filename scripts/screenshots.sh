#!/usr/bin/env bash
# Takes the README's screenshots of the real program under Xvfb: sheet A1 with a few entries,
# and sheet M1 with a toolbar button under the pointer. Usage: scripts/screenshots.sh [build-dir]
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
echo "docs/screenshot-main.png and docs/screenshot-toolbar.png written"
