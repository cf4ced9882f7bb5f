#!/usr/bin/env bash
# Compiles every source file that holds a Windows branch with MinGW-w64, syntax only, against
# Qt's own headers, so that code under Q_OS_WIN cannot rot unseen on a Linux machine. The
# compiler defines _WIN32, so Qt's headers and ours take their Windows paths.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null || { echo "windows check: $compiler missing (scripts/install-deps.sh test)"; exit 1; }

qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
flags=(-std=c++17 -fsyntax-only -Wall -Wextra -Wpedantic -Wshadow -Werror -DUNICODE -D_UNICODE -DNOMINMAX -DWIN32_LEAN_AND_MEAN
       -I src)
# Qt's headers are the Linux build's; only their declarations matter here, so their own
# warnings under another compiler are not ours.
for module in "" QtCore QtGui QtWidgets QtNetwork QtSvg; do
    flags+=(-isystem "$qt/$module")
done

# A header's branch is compiled through the source file of the same name.
mapfile -t files < <(git ls-files -co --exclude-standard -- 'src/*' 'companions/*' \
    | grep -E '\.(cpp|h)$' | xargs grep -l -E 'Q_OS_WIN|_WIN32' \
    | sed 's/\.h$/.cpp/' | sort -u | while read -r f; do [ -f "$f" ] && echo "$f"; done)

status=0
for file in "${files[@]}"; do
    if ! "$compiler" "${flags[@]}" -I "$(dirname "$file")" "$file"; then
        echo "windows check: $file does not compile for Windows"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "windows check: ${#files[@]} files with Windows branches compile"
exit "$status"
