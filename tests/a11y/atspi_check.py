"""Checks the demo's accessible tree over AT-SPI; run by atspi-test.sh on a private display
and buses. Argument: the demo's process id. Every wait is bounded."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DEMO_PID = int(sys.argv[1])
CARDS = ["Adams, Ann", "Baker, Bob", "Clarke, Cy"]  # as the demo sorts them
ADAMS_LINES = ["Phone: 555-0101", "Mail: ann@example.com", "Call after six"]
failures = []


def check(what, ok):
    print(("ok     " if ok else "FAILED ") + what, flush=True)
    if not ok:
        failures.append(what)


def wait_for(what, probe, seconds=15.0):
    """probe() until it gives something true, or fail after the given seconds."""
    end = time.monotonic() + seconds
    while True:
        try:
            value = probe()
        except Exception:  # objects come and go while the program starts
            value = None
        if value:
            return value
        if time.monotonic() > end:
            print("FAILED waiting for " + what, flush=True)
            sys.exit(1)
        time.sleep(0.1)


def children(acc):
    acc.clear_cache()
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def states(acc):
    acc.clear_cache()
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def find(acc, role, depth=4, name=None):
    """The first object of that role (and name, when given) at or below acc, breadth first."""
    level = [acc]
    for _ in range(depth + 1):
        for a in level:
            if a is not None and role in (None, a.getRoleName()) and name in (None, a.name):
                return a
        level = [c for a in level if a is not None for c in children(a)]
    return None


def do_action(acc, name):
    """Runs the action of that name; false when acc has none such."""
    try:
        actions = acc.queryAction()
    except NotImplementedError:
        return False
    for i in range(actions.nActions):
        if actions.getName(i) == name:
            return actions.doAction(i)
    return False


def selected_card():
    return next((c.name for c in children(cards) if "selected" in states(c)), None)


def demo_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == DEMO_PID and app.childCount > 0:
            return app
    return None


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10).stdout.split()


app = wait_for("the demo on the accessibility bus", demo_app, 30)
cards = wait_for("the card list", lambda: find(app, "list"))
wait_for("three cards", lambda: cards.childCount == 3)

check("the card list is named", cards.name == "Cards")

# The cards, named by their captions, each with its lines as "name: value" labels.
items = children(cards)
check("cards are list items", all(i.getRoleName() == "list item" for i in items))
check("cards named by their captions, in order", [i.name for i in items] == CARDS)
adams = items[0]
check("lines are labels", all(c.getRoleName() == "label" for c in children(adams)))
check("lines read 'name: value'", [c.name for c in children(adams)] == ADAMS_LINES)
check("cards are selectable and focusable", {"selectable", "focusable"} <= states(adams))
check("the demo's selected card is selected", "selected" in states(items[1]))
check("an unselected card is not selected", "selected" not in states(adams))

# The letter bar: push buttons named after their letters.
bar = find(app, "tool bar")
check("the letter bar is there", bar is not None)
if bar is not None:
    buttons = children(bar)
    names = [b.name for b in buttons]
    check("letter buttons are push buttons", all(b.getRoleName() == "push button" for b in buttons))
    check("first button is 123", names[:1] == ["123"])
    check("the buttons name every letter once, in order", "".join(names[1:]).lower() == "abcdefghijklmnopqrstuvwxyz")
    check("the letter bar is named", bar.name == "Letters")
    check("letter buttons can take the focus", all("focusable" in states(b) for b in buttons))

# A key press moves selection and focus, and says so.
windows = xdotool("search", "--onlyvisible", "--pid", str(DEMO_PID))
check("the demo has a window", bool(windows))
if not windows:
    sys.exit(1)
window = windows[-1]
events = []


def on_event(event):
    events.append((event.type, event.detail1, event.source.name))


KINDS = ["object:state-changed:focused", "object:state-changed:selected"]
EXPECTED = [("object:state-changed:focused", 0, "Baker, Bob"),
            ("object:state-changed:selected", 0, "Baker, Bob"),
            ("object:state-changed:selected", 1, "Clarke, Cy"),
            ("object:state-changed:focused", 1, "Clarke, Cy")]


def step(actions):
    if actions:
        action = actions.pop(0)
        if not actions:
            events.clear()  # what the last key says is what is checked
        xdotool(*action)
        return True
    return False


deadline = time.monotonic() + 10


def stop_when_seen():
    if all(e in events for e in EXPECTED) or time.monotonic() > deadline:
        pyatspi.Registry.stop()
        return False
    return True


pyatspi.Registry.registerEventListener(on_event, *KINDS)
# Qt's bridge remembers the focused object (to say when it loses the focus) only while someone
# listens: the focus leaves the card list for the letter bar and comes back once this listens.
actions = [["windowfocus", "--sync", window], ["key", "--window", window, "Tab"],
           ["key", "--window", window, "shift+Tab"], ["key", "--window", window, "Down"]]
GLib.timeout_add(300, step, actions)
GLib.timeout_add(100, stop_when_seen)
pyatspi.Registry.start()
pyatspi.Registry.deregisterEventListener(on_event, *KINDS)
for e in EXPECTED:
    check("event %s %d on %s" % e, e in events)
if EXPECTED[0] in events and EXPECTED[-1] in events:
    check("the card before loses the focus first", events.index(EXPECTED[0]) < events.index(EXPECTED[-1]))
items = children(cards)
check("after Down the next card is selected and focused", {"selected", "focused"} <= states(items[2]))
check("after Down the card before is no longer selected", "selected" not in states(items[1]))

# A click on a line of the selected card opens the in-place editor: an editable text.
line = children(items[2])[0]
box = line.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
x, y = box.x + box.width - 8, box.y + box.height // 2
xdotool("mousemove", "--sync", str(x), str(y))
xdotool("click", "1")


def editor():
    for c in children(cards):
        if c.getRoleName() == "text":
            return c
    return None


edit = wait_for("the in-place editor", editor, 10)
check("the editor is editable", "editable" in states(edit))
check("the editor holds the line's value", edit.queryText().getText(0, -1) == "555-0103")
check("the editor is named after its line", edit.name == "Phone")
xdotool("key", "--window", window, "Escape")
wait_for("the editor to go", lambda: editor() is None, 10)
check("the editor is gone after Escape", editor() is None)

# A screen reader presses a letter button and takes a card through their actions.
if bar is not None:
    letter_a = next((b for b in children(bar) if b.name[:1] == "a"), None)
    check("a letter button presses", letter_a is not None and do_action(letter_a, "Press"))
    wait_for("the letter to select its card", lambda: selected_card() == "Adams, Ann", 5)
check("a card's default action selects it", do_action(children(cards)[1], "Select"))
wait_for("the card's action to select it", lambda: selected_card() == "Baker, Bob", 5)
check("and gives it the focus", "focused" in states(children(cards)[1]))

# The items editor (Card: Edit all cards..., Ctrl+E): every edit named by its label, the
# sub-item list and its group by theirs.
xdotool("key", "--window", window, "ctrl+e")
dialog = wait_for("the items editor", lambda: find(app, "push button", 6, "Apply"), 15)
editor_names = {"Text:": "text", "Hint:": "text", "Name:": "text", "Value:": "text",
                "Sub items": "tree", "Sub Items": "panel", "Cards": "list", "Letters": "tool bar"}
for name, role in editor_names.items():
    check("the items editor has a %s named %r" % (role, name), find(app, role, 8, name) is not None)
cancel = find(app, "push button", 8, "Cancel")
check("the items editor's Cancel presses", cancel is not None and do_action(cancel, "Press"))
wait_for("the items editor to close", lambda: find(app, "push button", 6, "Apply") is None, 10)

sys.exit(1 if failures else 0)
