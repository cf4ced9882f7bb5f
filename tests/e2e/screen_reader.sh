#!/usr/bin/env bash
# The real program as a screen reader reads it over AT-SPI, under Xvfb and a private session
# bus: the folder tabs with the shown folder selected, the toolbar's buttons with their keys, a
# press through AT-SPI that opens a folder; then Alt+F4 closes. Exits 77 (skipped) when no accessibility bus
# can start.
# Debian's own Python, which holds the Atspi bindings (not a Python of the user's PATH).
# Usage: dbus-run-session -- screen_reader.sh <product-dir>
set -euo pipefail
source "$(dirname "$0")/common.sh"
skip() { echo "SKIP: $*"; exit 77; }

[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || skip "no private session bus: run under dbus-run-session"
/usr/bin/python3 - <<'PY' || skip "the accessibility bus (at-spi2-core) or Atspi for Python (python3-pyatspi) is missing"
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio
Gio.bus_get_sync(Gio.BusType.SESSION, None).call_sync(
    "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None, 0, 10000, None)
PY

install_program
start_tray
# Qt registers with the accessibility bus only when told that a screen reader listens.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_rubrica

# What reaches the bus: roles, the buttons' keys, a press; the names are checked in-process.
/usr/bin/python3 - "$rubrica" <<'PY'
import sys, time
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

def fail(message):
    sys.exit("FAIL: " + message)

def within_10_s(found):
    for _ in range(100):
        result = found()
        if result:
            return result
        time.sleep(0.1)
    return None

def walk(node):
    children = (node.get_child_at_index(i) for i in range(node.get_child_count()))
    return [node] + [n for child in children if child is not None for n in walk(child)]

def press(node):
    names = [node.get_action_name(i).lower() for i in range(node.get_n_actions())]
    return names.index("press") if "press" in names else fail("%r cannot be pressed" % node.get_name())

def selected(tabs):
    return [t.get_name() for t in tabs if t.get_state_set().contains(Atspi.StateType.SELECTED)]

pid, desktop = int(sys.argv[1]), Atspi.get_desktop(0)
apps = lambda: (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
app = within_10_s(lambda: next((a for a in apps() if a is not None and a.get_process_id() == pid), None))
if app is None:
    fail("the address book never showed itself on the accessibility bus")
nodes = walk(app)
lists = [n for n in nodes if n.get_role() == Atspi.Role.PAGE_TAB_LIST]
tabs = [n for n in walk(lists[0]) if n.get_role() == Atspi.Role.PAGE_TAB] if len(lists) == 1 else []
bars = [n for n in nodes if n.get_role() == Atspi.Role.TOOL_BAR]
buttons = [n for bar in bars for n in walk(bar) if n.get_role() == Atspi.Role.PUSH_BUTTON]
if len(tabs) != 44 or not within_10_s(lambda: selected(tabs) == ["A1"]):
    fail("%d tab lists, %d folder tabs, %s selected" % (len(lists), len(tabs), selected(tabs)))
if len(buttons) != 13 or buttons[0].get_name() != "Salva":
    fail("%d toolbar buttons, the first %r" % (len(buttons), buttons[0].get_name() if buttons else None))
for button in buttons:
    if not button.get_key_binding(press(button)):
        fail("button %r has no key" % button.get_name())
b1 = next(t for t in tabs if t.get_name() == "B1")
b1.do_action(press(b1))
if not within_10_s(lambda: selected(tabs) == ["B1"]):
    fail("a press on B1 left %s selected" % selected(tabs))
print("the folder tabs and the toolbar reach the bus; a press through it opens a folder")
PY

# The window is gone before the key's release reaches it, which xdotool reports as an error.
xdotool key --window "$window" alt+F4 2>/dev/null || true
wait_end "$rubrica" || fail "Alt+F4 did not close the address book"
echo "the screen reader's view holds; Alt+F4 closed the address book"
