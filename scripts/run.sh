#!/usr/bin/env bash
# Builds Rubrica optimised and starts it beside the tray stand-in, as a user of the product would.
# The optimised build has a folder of its own, build-release/: the tests' Debug build (build/)
# and sanitizer build (build-san/) are left alone, so neither command rebuilds the other's output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build-release -j "$(nproc)" --target rubrica kardeltray tessavohelp

product=build-release/product
if ! "$product/kardeltray" --is-running; then
    "$product/kardeltray" &
    # The address book starts only once the tray program can be found.
    for _ in $(seq 50); do
        sleep 0.1
        "$product/kardeltray" --is-running && break
    done
fi
if ! "$product/kardeltray" --is-running; then
    echo "The tray stand-in (kardeltray) did not come up, and the address book does not start without it." >&2
    exit 1
fi
exec "$product/rubrica"
