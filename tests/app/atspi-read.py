"""Reads the running calculator through the AT-SPI tree, as a screen reader does, while keys
are typed into it with xdotool. Prints a FAIL line for each check that fails and the count."""
import subprocess
import sys

import pyatspi
from gi.repository import GLib

failed = 0
passed = 0


def check(what, got, expected):
    global failed, passed
    if got == expected:
        passed += 1
    else:
        print(f"FAIL: {what}: expected {expected!r}, got {got!r}")
        failed += 1


def keys(*args):
    subprocess.run(["xdotool", *args], check=False)


def calculator():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower() == "sumwise":
                return app
        GLib.usleep(100_000)
    return None


def find(app, predicate):
    return pyatspi.findDescendant(app, predicate, True)


def described(app, description):
    return find(app, lambda a: a is not None and a.description == description)


def lines(tape):
    return [tape.getChildAtIndex(i) for i in range(tape.childCount)]


def selected_lines(tape):
    return [line.name for line in lines(tape)
            if line.getState().contains(pyatspi.STATE_SELECTED)]


def while_typing(events, *typed, seconds=3.0):
    """Runs the event loop while the keys are typed; returns the events heard."""
    heard = []

    def listener(event):
        heard.append((event.type, event.source.description, event.source.name))

    for event in events:
        pyatspi.Registry.registerEventListener(listener, event)

    def type_keys():
        keys(*typed)
        return False

    GLib.timeout_add(1000, type_keys)  # once the program knows someone listens
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    for event in events:
        pyatspi.Registry.deregisterEventListener(listener, event)
    return heard


app = calculator()
if app is None:
    print("FAIL: the calculator is not in the AT-SPI tree")
    sys.exit(1)

display = described(app, "Display")
tape = find(app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LIST
            and a.name == "Calculation tape")
if display is None or tape is None:
    print(f"FAIL: display {display}, tape {tape}")
    sys.exit(1)

# The display: its text is its name and its value.
check("the display's name", display.name, "16.49")
check("the display's value", display.queryValue().currentValue, 16.49)

# The tape: one item per line, with its note.
check("the tape's lines", [line.name for line in lines(tape)],
      ["+ 12.50", "+ 3.99", "= 16.49, lunch"])
check("the lines are list items", {line.getRole() for line in lines(tape)},
      {pyatspi.ROLE_LIST_ITEM})
check("the noted line is the picked one", selected_lines(tape), ["= 16.49, lunch"])

# A change on the display is announced, with the new value.
heard = while_typing(["object:property-change:accessible-value",
                      "object:property-change:accessible-name"], "type", "--delay", "40", "7+")
check("the display told of its new value",
      ("object:property-change:accessible-value", "Display", "7.") in heard, True)
check("the pending operator told of its new text",
      ("object:property-change:accessible-name", "Pending operator", "+") in heard, True)
check("the display's value after 7+", display.queryValue().currentValue, 7.0)

# The selection: the arrow keys pick lines, and the items follow.
names = [line.name for line in lines(tape)]
heard = while_typing(["object:state-changed:selected"], "key", "Up")
picked = selected_lines(tape)
check("Up picks one line", len(picked), 1)
check("the picked line told of it",
      any(kind == "object:state-changed:selected" and name in picked
          for kind, _, name in heard), True)
keys("key", "Up")
GLib.usleep(500_000)
above = names.index(picked[0]) - 1 if picked and picked[0] in names else -1
check("Up again picks the line above", selected_lines(tape), names[above:above + 1])

print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
