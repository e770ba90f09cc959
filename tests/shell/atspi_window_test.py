#!/usr/bin/python3
"""The window as assistive technology sees it, through the real accessibility bus.

Started by atspi-window-test.sh, which provides the display, the session bus and a throw-away home.
Usage: atspi_window_test.py PROGRAM WORK_FOLDER [--dump]
Starts PROGRAM on a folder of a few files, checks the roles and names of every control, drives a search
through accessibility actions alone (a bound's text, the "Start Finding" action, the "Done." box's OK)
and reads the result rows back; then starts it again in German and reads a few of its names. --dump
prints the tree of the window as a screen reader reads it.
"""
import os
import subprocess
import sys

import pyatspi
from gi.repository import GLib

PROGRAM, WORK = sys.argv[1], sys.argv[2]
DUMP = "--dump" in sys.argv[3:]
# Only a hang reaches this: every wait ends as soon as what it waits for is there.
LIMIT_S = 60

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


class Bus:
    """Waits on the accessibility bus: re-reads the condition at every event the program sends and,
    since a window that appears sends none that says it is complete, every 100 ms as well."""

    def __init__(self):
        self.heard = []
        self._loop = GLib.MainLoop()
        self._until = None
        pyatspi.Registry.registerEventListener(
            self._hear, "object:property-change", "object:children-changed", "object:state-changed", "window"
        )

    def _hear(self, event):
        # Qt's events name the object that changed, not its new text: a screen reader reads that at
        # once, and so does this. The folder list's status is not replaced within 250 ms.
        try:
            source = event.source
            self.heard.append((event.type, source.getRoleName(), source.name, source.description))
        except Exception:  # the source may be gone already
            pass
        self._check()

    def _check(self):
        if self._until and self._until():
            self._until = None
            self._loop.quit()
        return True

    def _give_up(self):
        self._loop.quit()
        return False

    def wait(self, what, condition):
        if condition():
            return
        self._until = condition
        tick = GLib.timeout_add(100, self._check)
        limit = GLib.timeout_add_seconds(LIMIT_S, self._give_up)
        self._loop.run()
        GLib.source_remove(tick)
        if self._until is not None:
            self._until = None
            raise SystemExit(f"FAIL: gave up waiting for {what}")


def descendants(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from descendants(child)


def named(root, role, name):
    for node in descendants(root):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def application(process):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == process.pid:
            return app
    return None


def main_window(process):
    app = application(process)
    if app is None:
        return None
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        # Complete once all 13 controls of the window are there.
        if window is not None and window.getRoleName() == "filler" and window.childCount >= 13:
            return window
    return None


def labels_of(node):
    return [
        relation.getTarget(i).name
        for relation in node.getRelationSet()
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
        for i in range(relation.getNTargets())
    ]


def dump(node, depth=0):
    state = node.getState()
    if node.getRoleName() == "label" and not state.contains(pyatspi.STATE_SHOWING):
        return  # the unit lists' labels: read through the lists' relations below
    line = f"{'  ' * depth}[{node.getRoleName()}] {node.name!r}"
    if node.description:
        line += f" - {node.description!r}"
    if labels_of(node):
        line += f" labelled by {labels_of(node)}"
    print(line)
    if node.getRoleName() in ("combo box", "table"):
        if node.getRoleName() == "table":
            table = node.queryTable()
            print(f"{'  ' * (depth + 1)}{table.nRows} rows")
        return
    for i in range(node.childCount):
        dump(node.getChildAtIndex(i), depth + 1)


def start(bus, *arguments, language="C"):
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", LANG=language)
    environment.pop("LANGUAGE", None)
    environment.pop("LC_ALL", None)
    environment.pop("LC_MESSAGES", None)
    process = subprocess.Popen([PROGRAM, *arguments], env=environment)
    bus.wait("the window on the accessibility bus", lambda: main_window(process) is not None)
    return process, main_window(process)


def stop(process):
    process.terminate()
    process.wait()


def make_tree():
    tree = os.path.join(WORK, "tree")
    for relative, size in [("a.bin", 150), ("small.bin", 50), ("big.bin", 300), ("sub/b.bin", 200)]:
        path = os.path.join(tree, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as file:
            file.write(b"\0" * size)
    return tree


EXPECTED = [  # role, name, description (None: not checked)
    ("table", "Folders to search", None),
    ("push button", "Add Folder to Search", None),
    ("panel", "Size condition", None),
    ("radio button", "Between", None),
    ("radio button", "Greater than", None),
    ("radio button", "Less than", None),
    ("radio button", "Equal to", None),
    ("text", "Lower bound", "Return starts finding"),
    ("text", "Upper bound", "Return starts finding"),
    ("text", "Size for Greater than", "Return starts finding"),
    ("text", "Size for Less than", "Return starts finding"),
    ("text", "Size for Equal to", "Return starts finding"),
    ("push button", "Start Finding", None),
    ("table", "Results", "No results"),
    ("push button", "Save Results As Text File", None),
    ("push button", "Clear Results", None),
    ("push button", "Copy Results To Clipboard", None),
    ("push button", "Help", None),
    ("push button", "Clear Results Containing X", None),
    ("push button", "Clear Results Not Containing X", None),
    ("push button", "Send Checked To Recycle Bin", None),
    ("push button", "Move Checked To Folder", None),
]
UNIT_LISTS = [
    "Unit of the lower bound",
    "Unit of the upper bound",
    "Unit for Greater than",
    "Unit for Less than",
    "Unit for Equal to",
]


def check_names(window):
    for role, name, description in EXPECTED:
        node = named(window, role, name)
        check(node is not None, f"no {role} named {name!r}")
        if node is not None and description is not None:
            check(node.description == description, f"{name!r} described as {node.description!r}")
    # Qt names a unit list after its current unit; its name is the label it is labelled by.
    lists = [node for node in descendants(window) if node.getRoleName() == "combo box"]
    check([labels_of(node)[:1] for node in lists] == [[name] for name in UNIT_LISTS],
          f"unit lists labelled {[labels_of(node) for node in lists]}")
    names = [node.name for node in descendants(window) if node.getRoleName() in ("text", "radio button")]
    check(not any("  " in name or name == "Search Option" for name in names), f"names of fields: {names}")


def search_by_actions(bus, process, window, tree):
    lower = named(window, "text", "Lower bound")
    lower.queryEditableText().setTextContents("120")
    check(lower.queryText().getText(0, -1) == "120", "the lower bound did not take its new text")

    start_button = named(window, "push button", "Start Finding")
    action = start_button.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))

    def done_box():
        app = application(process)
        for i in range(app.childCount if app else 0):
            box = app.getChildAtIndex(i)
            if box is not None and box.getRoleName() == "alert" and named(box, "label", "Done.") is not None:
                return box
        return None

    bus.wait('the "Done." box', lambda: done_box() is not None)
    # The message box is read with its text: an alert, whose labels a screen reader reads out.
    ok = named(done_box(), "push button", "OK")
    check(ok is not None, 'the "Done." box has no OK button')
    ok.queryAction().doAction(0)
    bus.wait('the "Done." box to close', lambda: done_box() is None)

    results = named(window, "table", "Results").queryTable()
    rows = sorted(
        (results.getAccessibleAt(row, 0).name, results.getAccessibleAt(row, 1).name) for row in range(results.nRows)
    )
    expected = [(os.path.join(tree, "a.bin"), "150 Bytes"), (os.path.join(tree, "sub", "b.bin"), "200 Bytes")]
    check(rows == expected, f"result rows {rows}, expected {expected}")
    description = named(window, "table", "Results").description
    check(description.startswith("Results:  2 files"), f"the results are described as {description!r}")

    # The status line is announced as it changes, as the folder list's description.
    def statuses():
        return [description for kind, role, name, description in bus.heard
                if kind == "object:property-change:accessible-description" and name == "Folders to search"]

    bus.wait("the status line back to its caption", lambda: statuses()[-1:] == ["Folder(s)"])
    check(any(status.startswith("Searching ") for status in statuses()), f"statuses announced: {statuses()}")


def check_german(bus, tree):
    process, window = start(bus, tree, language="de_DE.UTF-8")
    try:
        for role, name in [("table", "Zu durchsuchende Ordner"), ("push button", "Suche starten"),
                           ("text", "Untergrenze"), ("radio button", "Zwischen")]:
            check(named(window, role, name) is not None, f"no German {role} named {name!r}")
    finally:
        stop(process)


def main():
    bus = Bus()
    tree = make_tree()
    process, window = start(bus, tree)
    try:
        if DUMP:
            dump(window)
        check_names(window)
        search_by_actions(bus, process, window, tree)
    finally:
        stop(process)
    check_german(bus, tree)
    print(f"atspi: {len(failures)} failures" if failures else "atspi: the window reads as expected")
    sys.exit(1 if failures else 0)


main()
