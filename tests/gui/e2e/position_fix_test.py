"""Fixing a hop's position by hand: a trace file whose second hop no source places is opened
(File > Open), that hop's output line is double-clicked, the dialog given 37.5 North 122.25 West and confirmed; the
line then shows the fix and says where it came from, and so it does after a restart, read back
from update.cache in the test's own data directory. The first hop, placed by no source, keeps
"Unresolved" as its text (it is drawn at the fixed hop's position)."""

import os
import shutil

import hoplot_e2e as e2e

SOURCE_DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "data")
FIXED = "   37.50\u00b0 North,   122.25\u00b0 West"
LOCATION = 2  # the output's "Geographical Location" column
FIX_SOURCE = "Placed where you fixed it by hand (update.cache)"


def private_data_dir():
    """A data directory of the test's own, so that the fix is not written into the source tree:
    the shipped maps and caches, an update.cache of its own; DBPath points the program at it."""
    home = os.environ["HOME"]
    data = os.path.join(home, "data-dir")
    os.makedirs(os.path.join(data, "cache_files"))
    for folder in ("maps", "help"):
        os.symlink(os.path.realpath(os.path.join(SOURCE_DATA, folder)), os.path.join(data, folder))
    for name in ("hosts.cache", "networks.cache"):
        shutil.copy(os.path.join(SOURCE_DATA, "cache_files", name),
                    os.path.join(data, "cache_files", name))
    config = os.path.join(os.environ["XDG_CONFIG_HOME"], "Varn Software")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "Hoplot.conf"), "w") as settings:
        settings.write(f"[1.4]\nDBPath={data}/\nUse GeoIP=0\n")
    return data


def trace_file():
    path = os.path.join(os.environ["HOME"], "far.trc")
    with open(path, "w") as trace:
        trace.write("1 far.example 2 0 gw.example.com 198.51.100.76 3ms "
                    "0 edge.example.com 198.51.100.77 9ms ")
    return path


def output_table(app):
    table = e2e.find(app, "table", "Trace Output")
    e2e.wait_until(lambda: len(e2e.table_rows(table)) == 2, "the file's two hops in the output")
    return table


def location_cell(table, row):
    return table.queryTable().getAccessibleAt(row, LOCATION)


def fix_second_hop(app, table):
    x, y = e2e.center(location_cell(table, 1))
    e2e.xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 80, 1)
    dialog = e2e.find(app, "dialog", "Update Latitude & Longitude Resolving")
    e2e.check(e2e.text(e2e.find(dialog, "text", "IP name")) == "edge.example.com",
              "the dialog is not for the double-clicked hop")
    for field, typed in (("New Latitude", "37.5"), ("New Longitude", "122.25")):
        edit = e2e.find(dialog, "text", field)
        edit.queryComponent().grabFocus()
        e2e.wait_until(lambda: e2e.has_state(edit, "focused"), f"focus on {field}")
        e2e.xdotool("key", "ctrl+a")
        e2e.xdotool("type", "--delay", 30, typed)
        e2e.wait_until(lambda: e2e.text(edit) == typed, f"{field} to read {typed}")
    e2e.do_action(e2e.find(dialog, "radio button", "West"))
    e2e.do_action(e2e.find(dialog, "push button", "OK"))
    e2e.do_action(e2e.find(app, "push button", "Yes"))
    e2e.gone(app, "dialog", "Update Latitude & Longitude Resolving")


def _ended(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(") ", 1)[1].startswith("Z")
    except FileNotFoundError:
        return True


def quit_program(app):
    """File > Quit, as the user ends the program; the file's traces are saved, so nothing asks."""
    pid = app.get_process_id()
    e2e.do_action(e2e.menu_item(app, "File", "Quit"))
    e2e.wait_until(lambda: _ended(pid), "the program to end")


def start_on(path):
    app = e2e.start()
    e2e.open_file(app, path)
    return app


def test():
    data = private_data_dir()
    path = trace_file()
    app = start_on(path)
    table = output_table(app)
    e2e.check([row[LOCATION] for row in e2e.table_rows(table)] == ["Unresolved", "Unresolved"],
              f"the hops are placed before the fix: {e2e.table_rows(table)}")

    fix_second_hop(app, table)
    e2e.wait_until(lambda: e2e.table_rows(table)[1][LOCATION] == FIXED, "the fixed location")
    e2e.check(location_cell(table, 1).description == FIX_SOURCE,
              f"the fixed hop's source reads {location_cell(table, 1).description!r}")
    e2e.screenshot("fixed")
    with open(os.path.join(data, "cache_files", "update.cache")) as fixes:
        e2e.check(fixes.read() == "198.51.100.77 edge.example.com 37.5 n 122.25 w\n",
                  "update.cache does not hold the fix")

    quit_program(app)
    app = start_on(path)
    table = output_table(app)
    rows = e2e.table_rows(table)
    e2e.check([row[LOCATION] for row in rows] == ["Unresolved", FIXED],
              f"after a restart the fix does not place the hop: {rows}")
    e2e.check(location_cell(table, 1).description == FIX_SOURCE,
              f"after a restart the hop's source reads {location_cell(table, 1).description!r}")


e2e.run(test)
