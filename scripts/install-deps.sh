#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Rubrica need, and only
# those that are missing. Usage: scripts/install-deps.sh [run|test]
set -euo pipefail

purpose=${1:-test}
packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-liberation2)
if [ "$purpose" = test ]; then
    # clang and its runtime for the sanitizer build and the fuzzers; Xvfb and xdotool for the
    # test that types into a real window.
    packages+=(clang libclang-rt-14-dev xvfb xauth xdotool)
    # Google Benchmark for bench/, and Xlib for Python for the start-up measurements.
    packages+=(libbenchmark-dev python3-xlib)
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
