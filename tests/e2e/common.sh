# Sourced by the end-to-end scripts with the product directory as $1. Gives the test a program
# directory ($prog, by default the work directory; a script may name another before
# install_program) and a per-user runtime directory of its own, both removed at the end.
product=$1
work=$(mktemp -d)
prog=$work
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
title="Rubrica di Tessavo"

fail() { echo "FAIL: $*"; exit 1; }

# Copies the program, the tray stand-in and any further product files named into $prog.
install_program() {
    local f
    mkdir -p "$prog"
    for f in rubrica kardeltray "$@"; do cp -r "$product/$f" "$prog/"; done
}

# Runs "$@" every 0.1 s until it succeeds, for up to 10 s; false if it never did.
wait_for() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Fails if "$@" succeeds at any time within the next second: what must not happen.
never_within_a_second() {
    for _ in $(seq 10); do
        "$@" && return 1
        sleep 0.1
    done
    return 0
}

# Starts the tray stand-in and waits until it answers; the address book refuses to run without it.
start_tray() {
    "$prog/kardeltray" &
    wait_for "$prog/kardeltray" --is-running
}

# Starts the address book, waits for its window and for the focus in it: sets $rubrica and $window.
start_rubrica() {
    "$prog/rubrica" &
    rubrica=$!
    window=$(xdotool search --sync --onlyvisible --name "$title" | head -n 1)
    xdotool windowfocus --sync "$window"
    wait_for has_focus "$window"
}
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Waits up to 10 s for process $1 to end; false if it still runs.
running() { kill -0 "$1" 2>/dev/null; }
wait_end() { wait_for eval "! running $1"; }

# At 96 dpi the toolbar boxes span pixels 3..27 from the top; box 0 (save) starts at x 3, box 12
# (close) at 602. Clicks the box whose x range holds $1; the program takes X events in order.
click_box() { xdotool mousemove --window "$window" "$1" 15 click 1; }

# <length> bytes from <offset> of record <row> of sheet A1 in the store, shown by od, so that
# blanks and bytes above 127 compare and print legibly.
field() { # <row> <offset> <length>
    dd if="$work/rubri.dat" bs=146 skip=$(($1 - 1)) count=1 status=none | tail -c +$(($2 + 1)) |
        head -c "$3" | od -An -c | tr -s ' ' | sed 's/ *$//'
}
padded() { # <text as printf format> <length>: the field that holds that text
    printf "%-$2s" "$(printf "$1")" | od -An -c | tr -s ' ' | sed 's/ *$//'
}

# The save button, then the close button, which must end the address book.
save_and_close() {
    click_box 15
    click_box 630
    wait_end "$rubrica" || fail "the close button did not close the address book"
}
