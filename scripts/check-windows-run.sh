#!/usr/bin/env bash
# Builds the Win32 helpers (the very files the Windows program is built from) into a console test
# program with MinGW-w64 and runs it under Wine, headless, in a private Wine prefix that is
# removed afterwards. Prints one line "N passed, M failed" and fails on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
for tool in "$compiler" wine wineserver; do
    command -v "$tool" >/dev/null || { echo "windows run: $tool missing (scripts/install-deps.sh test)"; exit 1; }
done

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# Only this prefix's server is ended, never Wine processes by name: other people's runs go on.
prefix= running=()
cleanup() {
    for job in "${running[@]}"; do kill "$job" 2>/dev/null || true; done
    # A prefix still being made must not start a server after this one is ended.
    if [ -n "$prefix" ]; then kill "$prefix" 2>/dev/null || true; wait "$prefix" 2>/dev/null || true; fi
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# The prefix is made while the program is built, each on one of the two cores.
(
    wine wineboot -i >/dev/null 2>&1
    # Windows without a display: Wine's null graphics driver, taken when the server restarts.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
) &
prefix=$!

# One object per file, two at a time; no optimisation, which only costs time here.
flags=(-std=c++17 -O0 -Wall -Wextra -Wpedantic -Wshadow -Werror -DUNICODE -D_UNICODE -DNOMINMAX -DWIN32_LEAN_AND_MEAN
       -municode -I src)
objects=() built=1
for source in tests/win32/*.cpp src/storage/win32/*.cpp src/platform/win32/*.cpp; do
    [[ $source == tests/win32/tst_* ]] && continue # the Linux half, built with Qt
    objects+=("$work/$(echo "$source" | tr / _).o")
    "$compiler" "${flags[@]}" -c "$source" -o "${objects[-1]}" &
    running+=($!)
    if [ ${#running[@]} -ge 2 ]; then
        wait "${running[0]}" || built=0
        running=("${running[@]:1}")
    fi
done
for job in "${running[@]}"; do wait "$job" || built=0; done
[ "$built" -eq 1 ] && { "$compiler" -municode -static -o "$work/tst_win32.exe" "${objects[@]}" -luser32 || built=0; }
if [ "$built" -ne 1 ]; then
    wait "$prefix" || true
    echo "windows run: the test program does not build"
    exit 1
fi
wait "$prefix"

status=0
output=$(wine "$work/tst_win32.exe" 2>&1 | tr -d '\r') || status=$?
printf '%s\n' "$output" | grep -v '^[0-9]* passed, [0-9]* failed$' || true
summary=$(printf '%s\n' "$output" | grep -E '^[0-9]+ passed, [0-9]+ failed$' || true)
[ -n "$summary" ] || { echo "windows run: the test program ended without a result (status $status)"; exit 1; }
echo "windows run: $summary"
exit "$status"
