#!/usr/bin/env bash
# Fails when a source file includes a header from a folder above its own. The folders stand
# one on another:
#   5  src/main.cpp
#   4  src/window                           the address book window composes the features
#   3  src/sheetops  src/search  src/dialogs  src/help  src/exchange  the features, side by side
#   2  src/editing                           the cells that show the sheet, and their rules
#   1  src/model                            the sheet shown, with its undo history
#   0  src/platform  src/storage             the system and the files
# A folder may include from its own folder and from any lower rank, never from a peer of the
# same rank (peers do not know each other), and companions only from rank 0.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
    case "$1" in
        platform | storage) echo 0 ;;
        model) echo 1 ;;
        editing) echo 2 ;;
        sheetops | search | dialogs | help | exchange) echo 3 ;;
        window) echo 4 ;;
        main.cpp) echo 5 ;;
        companions) echo 1 ;; # a companion program may stand on rank 0 only
        *) echo -1 ;;
    esac
}

status=0
while IFS= read -r file; do
    case "$file" in
        src/*) from=${file#src/}; from=${from%%/*} ;;
        companions/*) from=companions ;;
        *) continue ;;
    esac
    from_rank=$(rank "$from")
    while IFS= read -r line; do
        target=${line#*\"}
        target=${target%%/*}
        [ "$target" = "$from" ] && continue
        to_rank=$(rank "$target")
        [ "$to_rank" -lt 0 ] && continue # a companion's own header, or a generated one
        if [ "$to_rank" -ge "$from_rank" ]; then
            echo "layering: $file includes ${line#*\#include } (rank $to_rank, not below $from's rank $from_rank)"
            status=1
        fi
    done < <(grep -E '^\s*#\s*include\s+"[a-z]+/' "$file" || true)
done < <(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'companions/*.cpp' 'companions/*.h')

[ "$status" -eq 0 ] && echo "layering: every include points down"
exit "$status"
