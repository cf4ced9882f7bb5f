#!/usr/bin/env bash
# The real program as a screen reader reads it over AT-SPI, under Xvfb and a private session
# bus: the folder tabs as a tab list with the shown folder selected, the toolbar's buttons with
# their names, a press action and their keys; a press through AT-SPI and Ctrl+PgDn both move
# the selection, and Alt+F4 closes. Exits 77 (skipped) when no accessibility bus can start.
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

/usr/bin/python3 - "$rubrica" <<'PY'
import subprocess, sys, time
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

pid = int(sys.argv[1])

def fail(message):
    print("FAIL: " + message)
    sys.exit(1)

def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None

def walk(node, found):
    found.append(node)
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, found)
    return found

def has(node, state):
    return node.get_state_set().contains(state)

def press_index(node):
    names = [node.get_action_name(i).lower() for i in range(node.get_n_actions())]
    return names.index("press") if "press" in names else -1

def wait_selected(tabs, name):
    for _ in range(50):
        if [t.get_name() for t in tabs if has(t, Atspi.StateType.SELECTED)] == [name]:
            return
        time.sleep(0.1)
    fail("the selected tab is %s, not %s" % ([t.get_name() for t in tabs if has(t, Atspi.StateType.SELECTED)], name))

app = None
for _ in range(100):
    app = application()
    if app is not None:
        break
    time.sleep(0.1)
if app is None:
    fail("the address book never showed itself on the accessibility bus")

nodes = walk(app, [])
lists = [n for n in nodes if n.get_role() == Atspi.Role.PAGE_TAB_LIST]
if len(lists) != 1:
    fail("%d tab lists instead of one" % len(lists))
tabs = [lists[0].get_child_at_index(i) for i in range(lists[0].get_child_count())]
if len(tabs) != 44 or any(t.get_role() != Atspi.Role.PAGE_TAB for t in tabs):
    fail("the tab list does not hold 44 page tabs")
if any(not has(t, Atspi.StateType.FOCUSABLE) or press_index(t) < 0 for t in tabs):
    fail("a tab cannot take the focus or be pressed")
wait_selected(tabs, "A1")

bars = [n for n in nodes if n.get_role() == Atspi.Role.TOOL_BAR]
buttons = [n for bar in bars for n in walk(bar, []) if n.get_role() == Atspi.Role.PUSH_BUTTON]
if len(buttons) != 13:
    fail("%d toolbar buttons instead of 13" % len(buttons))
for button in buttons:
    at = press_index(button)
    if at < 0 or not has(button, Atspi.StateType.FOCUSABLE) or not button.get_key_binding(at):
        fail("button %r: no press action, not focusable or no key" % button.get_name())
save = buttons[0]
print("save button: %r, key %r" % (save.get_name(), save.get_key_binding(press_index(save))))
if save.get_name() != "Salva":
    fail("the first button is %r" % save.get_name())

b1 = next(t for t in tabs if t.get_name() == "B1")
b1.do_action(press_index(b1))
wait_selected(tabs, "B1")
window = subprocess.check_output(["xdotool", "search", "--onlyvisible", "--name", "Rubrica di Tessavo"]).split()[0]
subprocess.check_call(["xdotool", "key", "--window", window, "ctrl+Next"])
wait_selected(tabs, "B2")
print("tabs and buttons read as a screen reader reads them; a press and Ctrl+PgDn moved the selection")
PY

# The window is gone before the key's release reaches it, which xdotool reports as an error.
xdotool key --window "$window" alt+F4 2>/dev/null || true
wait_end "$rubrica" || fail "Alt+F4 did not close the address book"
echo "the screen reader's view holds; Alt+F4 closed the address book"
