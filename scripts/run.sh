#!/usr/bin/env bash
# Builds Rubrica and starts it beside the tray stand-in, as a user of the product would.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run

# The same build folder as the tests, so that one build serves both commands.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build -j "$(nproc)" --target rubrica kardeltray tessavohelp

product=build/product
if ! "$product/kardeltray" --is-running; then
    "$product/kardeltray" &
    # The address book starts only once the tray program can be found.
    for _ in $(seq 50); do
        sleep 0.1
        "$product/kardeltray" --is-running && break
    done
fi
exec "$product/rubrica"
