"""Helpers for the end-to-end tests of the real window, which run_e2e.sh runs: start the program
through hoplot, find its nodes on the accessibility bus, drive them as a user would, take
screenshots. A test is a function handed to run()."""

import os
import re
import subprocess
import sys
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

APP_NAME = "Hoplot"
# Milliseconds a call on the bus may take, and how long a starting program may block before that
# applies: generous, for a machine busy with other tests.
_CALL_TIMEOUT = (3000, 15000)
Atspi.set_timeout(*_CALL_TIMEOUT)
TEST_NAME = os.path.splitext(os.path.basename(sys.argv[0]))[0]
_programs = []


class failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise failure(message)


def wait_until(probe, what, timeout=10):
    """Calls probe until it gives something true, and returns that; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.1)


def start(*arguments, timeout=30):
    """Starts hoplot (HOPLOT_BINARY) with the arguments; returns its application node."""
    program = subprocess.Popen([os.environ["HOPLOT_BINARY"], *arguments])
    _programs.append(program)
    return wait_until(lambda: _application(program), f"{APP_NAME} on the accessibility bus", timeout)


def started_program():
    """The process of the program start() started last."""
    return _programs[-1]


def _application(program):
    if program.poll() is not None:
        raise failure(f"hoplot ended with status {program.returncode}")
    for app in children(pyatspi.Registry.getDesktop(0)):
        # hoplot execs hoplot-view, so the window's process is the one started.
        if app.name == APP_NAME and app.get_process_id() == program.pid:
            return app
    return None


def children(node):
    found = []
    for index in range(node.childCount):
        try:
            child = node.getChildAtIndex(index)
        except GLib.Error:
            continue  # went away meanwhile
        if child is not None:
            found.append(child)
    return found


def _matches(value, wanted):
    if wanted is None:
        return True
    if isinstance(wanted, (tuple, list, set)):
        return value in wanted
    return value == wanted


def nodes(root, role=None, name=None):
    """The nodes under root, root included, in tree order, whose role name ("menu item", "push
    button", ...) and name match; either may be one value, several, or None for any."""
    found = []
    pending = [root]
    while pending:
        node = pending.pop()
        try:
            if _matches(node.getRoleName(), role) and _matches(node.name, name):
                found.append(node)
        except GLib.Error:
            continue
        pending.extend(reversed(children(node)))
    return found


def find(root, role=None, name=None, timeout=10):
    """The first node under root with the role and name, waiting for it to appear."""
    return wait_until(lambda: next(iter(nodes(root, role, name)), None),
                      f"{role} {name!r}", timeout)


def gone(root, role=None, name=None, timeout=10):
    wait_until(lambda: not nodes(root, role, name), f"{role} {name!r} to go", timeout)


def has_state(node, state):
    """state as the bus names it: "checked", "enabled", "focused", "showing", ..."""
    return node.getState().contains(getattr(pyatspi, "STATE_" + state.upper().replace(" ", "_")))


def labels(node):
    """The names of node's direct children, e.g. a menu's item labels."""
    return [child.name for child in children(node)]


MENU_ITEM = ("menu item", "check menu item", "radio menu item")


def menu(app, title, timeout=10):
    """The drop-down menu under a title of the window's menu bar ("File", without the '&')."""
    bar = find(app, "menu bar", timeout=timeout)
    heading = find(bar, MENU_ITEM, title, timeout)
    return find(heading, ("popup menu", "menu"), timeout=timeout)


def menu_item(app, title, label, timeout=10):
    """An item of a menu of the menu bar by its label: without '&', with "\t" and the shortcut
    text when it has one ("New\tCtrl-N")."""
    return find(menu(app, title, timeout), MENU_ITEM, label, timeout)


def do_action(node, action=0):
    """Triggers a menu item or presses a button. A command that opens a modal dialog answers only
    when the dialog closes: a short time-out, enforced even while the program is young, lets the
    test go on and drive the dialog."""
    Atspi.set_timeout(2000, 0)
    try:
        node.queryAction().doAction(action)
    except GLib.Error as error:
        if "timeout" not in str(error).lower() and "timed out" not in str(error).lower():
            raise
    finally:
        Atspi.set_timeout(*_CALL_TIMEOUT)


def table_rows(table):
    """The texts of a table's cells, row by row."""
    cells = table.queryTable()
    return [[cells.getAccessibleAt(row, column).name for column in range(cells.nColumns)]
            for row in range(cells.nRows)]


def column_headers(table):
    cells = table.queryTable()
    return [cells.getColumnHeader(column).name for column in range(cells.nColumns)]


def text(node):
    """What a label or a text field shows."""
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return node.name


def extents(node):
    """x, y, width and height of a node on the screen."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def center(node):
    x, y, width, height = extents(node)
    return x + width // 2, y + height // 2


def xdotool(*arguments):
    subprocess.run(["xdotool", *map(str, arguments)], check=True)


def type_text(node, typed):
    """Types into a field key by key, so that its per-keystroke checks run."""
    node.queryComponent().grabFocus()
    wait_until(lambda: has_state(node, "focused"), f"focus on {node.name!r}")
    xdotool("type", "--delay", 30, typed)


def click(node, button=1):
    x, y = center(node)
    xdotool("mousemove", x, y, "click", button)


def trace(app, destination, timeout=30):
    """Trace > Start Trace, the destination typed key by key into the dialog and Enter; returns
    the output window's rows once they end with "Done"."""
    do_action(menu_item(app, "Trace", "Start Trace\tCtrl-T"))
    dialog = find(app, "dialog", "Trace Destination")
    type_text(find(dialog, "text"), destination)
    xdotool("key", "Return")
    gone(app, "dialog", "Trace Destination")
    table = find(app, "table", "Trace Output")

    def finished():
        rows = table_rows(table)
        return rows if rows and rows[-1][0] == "Done" else None
    return wait_until(finished, f"the trace to {destination} to end with Done", timeout)


def open_file(app, path):
    """File > Open, the path typed into the dialog's file name field."""
    do_action(menu_item(app, "File", "Open\tCtrl-O"))
    chooser = find(app, "dialog", "Open")
    type_text(find(chooser, "text", "File name:"), path)
    xdotool("key", "Return")
    gone(app, "dialog", "Open")


def screenshot(name):
    """Saves the whole screen as TEST-NAME.png in HOPLOT_E2E_ARTIFACTS; returns the path."""
    folder = os.environ.get("HOPLOT_E2E_ARTIFACTS", "e2e-artifacts")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, f"{TEST_NAME}-{name}.png")
    subprocess.run(["import", "-window", "root", path], check=True)
    return path


class pixels:
    """A box of the screen as it is now, row by row."""

    def __init__(self, x, y, width, height):
        ppm = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}",
                              "+repage", "-depth", "8", "ppm:-"],
                             check=True, capture_output=True).stdout
        # P6, width, height and 255, each ended by one white-space byte, then the samples.
        header = re.match(rb"P6\s(\d+)\s(\d+)\s255\s", ppm)
        check(header is not None, "import gave no 8-bit PPM")
        self.width, self.height = int(header[1]), int(header[2])
        self._data = ppm[header.end():]

    def row(self, y):
        """Row y's samples, counted from the box's top: red, green and blue bytes a pixel."""
        return self._data[3 * y * self.width:3 * (y + 1) * self.width]


def run(test):
    """Runs the test and exits with its status; on failure says why and keeps a screenshot. The
    programs it started end either way."""
    status = 0
    try:
        test()
        print(f"{TEST_NAME}: passed")
    except Exception:
        traceback.print_exc()
        status = 1
        try:
            print("screen at the failure:", screenshot("failure"), file=sys.stderr)
        except Exception as error:
            print("no screenshot:", error, file=sys.stderr)
    finally:
        for program in _programs:
            program.terminate()
            try:
                program.wait(5)
            except subprocess.TimeoutExpired:
                program.kill()
    sys.exit(status)
