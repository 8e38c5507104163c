"""Positions checked in the real window: Trace > Set Home Location (Paris, typed into the dialog),
then a trace in the test network whose r3 and destination hosts.cache places in Tokyo. Their
location cells say why they cannot be there, r1's does not; a screenshot shows the tip, the
hollow dots and the dashed lines. Run by tests/net/plausibility_test.sh inside the client
namespace, with PLAUSIBLE_DATA a data directory holding that hosts.cache."""

import os

import hoplot_e2e as e2e

env = os.environ
LOCATION = 2  # the output's "Geographical Location" column
DOUBTED = "Placed by the cache files at 35.68\u00b0 N, 139.68\u00b0 E, 9,713 km from home, but it " \
          "answered in "


def settings():
    config = os.path.join(env["XDG_CONFIG_HOME"], "Varn Software")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "Hoplot.conf"), "w") as out:
        out.write(f"[1.4]\nDBPath={env['PLAUSIBLE_DATA']}/\nUse GeoIP=0\n"
                  "Main Window Width=1300\nMain Window Height=800\n")


def set_home(app, latitude, longitude):
    e2e.do_action(e2e.menu_item(app, "Trace", "Set Home Location..."))
    dialog = e2e.find(app, "dialog", "Set Home Location")
    for field, value in (("New Latitude", latitude), ("New Longitude", longitude)):
        edit = e2e.find(dialog, "text", field)
        edit.queryComponent().grabFocus()
        e2e.wait_until(lambda: e2e.has_state(edit, "focused"), f"focus on {field}")
        e2e.xdotool("key", "ctrl+a", "BackSpace")
        e2e.xdotool("type", "--delay", 30, value)
    e2e.do_action(e2e.find(dialog, "push button", "OK"))
    e2e.gone(app, "dialog", "Set Home Location")


def test():
    settings()
    app = e2e.start()
    set_home(app, "48.85", "2.35")
    rows = e2e.trace(app, env["DEST_ADDRESS"])
    table = e2e.find(app, "table", "Trace Output")

    cells = table.queryTable()
    tips = {rows[row][0]: cells.getAccessibleAt(row, LOCATION).description
            for row in range(len(rows)) if rows[row][1].strip()}
    e2e.check(tips[env["R1_NAME"]] ==
              "Placed by the position cache files (hosts.cache or networks.cache)",
              f"r1 is plausible: {tips}")
    for name in (env["R3_NAME"], env["DEST_NAME"]):
        e2e.check(tips[name].startswith(DOUBTED) and tips[name].endswith(" km away"),
                  f"{name} says why: {tips[name]!r}")

    # Qt shows tips in the active window only: a click on the status bar makes it so.
    e2e.click(e2e.find(app, "status bar"))
    row = [r[0] for r in rows].index(env["R3_NAME"])
    e2e.xdotool("mousemove", *e2e.center(cells.getAccessibleAt(row, LOCATION)))
    e2e.wait_until(lambda: e2e.nodes(app, "tool tip"), "the tip over r3's location", 10)
    e2e.screenshot("implausible")


e2e.run(test)
