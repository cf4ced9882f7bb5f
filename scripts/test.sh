#!/usr/bin/env bash
# Builds Rubrica three times and runs every test in each build, headless:
#   build/      gcc, warnings as errors
#   build-san/  clang with AddressSanitizer + UndefinedBehaviorSanitizer, plus the fuzzers,
#               each run for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Checks that need no build: folders include only downwards, and the Windows branches compile.
scripts/check-layers.sh
scripts/check-windows.sh
scripts/check-windows-run.sh # the Win32 helpers built with MinGW and run under Wine

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRUBRICA_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The build users run: optimised for size, without unwind tables, unused code dropped.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j "$jobs"
ctest --test-dir build-release --output-on-failure -j "$jobs"

# The install step: one program directory, a valid menu entry and its icon.
install_root=$(mktemp -d)
trap 'rm -rf "$install_root"' EXIT
cmake --install build --prefix "$install_root" >/dev/null
desktop-file-validate "$install_root/share/applications/tessavo-rubrica.desktop"
for file in rubrica kardeltray tessavohelp avvia-rubrica; do test -x "$install_root/lib/tessavo/$file"; done
test -f "$install_root/lib/tessavo/rubrica.htm"
echo "install: program directory and menu entry are in place"

# Qt's own libraries are not instrumented; leaks they keep until exit are not ours to report.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DRUBRICA_SANITIZE=ON -DRUBRICA_FUZZ=ON
cmake --build build-san -j "$jobs"
ctest --test-dir build-san --output-on-failure -j "$jobs"
