#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Rubrica need, and only
# those that are missing. Usage: scripts/install-deps.sh [run|test]
set -euo pipefail

purpose=${1:-test}
# qt6-translations-l10n: Qt's own texts (context menus, standard dialogs) in Italian; chmlib
# lets the help viewer read compiled help files (without it the viewer shows only the
# program's own help page).
packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation2 libchm-dev)
if [ "$purpose" = test ]; then
    # clang and its runtime for the sanitizer build and the fuzzers; Xvfb and xdotool for the
    # tests that type into a real window, xclip for the one that uses the real clipboard.
    packages+=(clang libclang-rt-14-dev xvfb xauth xdotool xclip)
    # A private session bus, the accessibility bus and Atspi for Python: the test that reads
    # the window as a screen reader does.
    packages+=(dbus at-spi2-core python3-pyatspi)
    # MinGW-w64 compiles the Windows branches syntax-only; desktop-file-utils checks the
    # menu entry that the install step writes.
    packages+=(g++-mingw-w64-x86-64-posix desktop-file-utils)
    # Wine runs the Windows test program built with MinGW (scripts/check-windows-run.sh).
    packages+=(wine wine64)
    # Google Benchmark for bench/, and Xlib for Python for the start-up measurements.
    packages+=(libbenchmark-dev python3-xlib)
    # Other programs' readers for the exported files: vobject for vCards, pdftotext and
    # pdftoppm for the PDF's text layer and a rendered page.
    packages+=(python3-vobject poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
