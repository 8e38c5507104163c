"""A trace from the real window in the test network: Start Trace through the menu and the
destination dialog, the output window's rows read through the accessibility bus as they arrive
(names, addresses, the silent router's time-out line, "Done", the third router's network from
an AS table made with hoplot --convert-asn), then File > Save As and the file it wrote. Run by tests/net/window_trace_test.sh inside the client namespace."""

import ipaddress
import os
import subprocess

import hoplot_e2e as e2e

env = os.environ


def make_as_table():
    """An AS table in the user's data directory that knows the third router's /24 only."""
    folder = os.path.join(env["XDG_DATA_HOME"], "Varn Software", "Hoplot", "asn")
    os.makedirs(folder, exist_ok=True)
    first = int(ipaddress.ip_address(env["R3_ADDRESS"])) & ~0xFF
    csv4, csv6 = os.path.join(folder, "v4.csv"), os.path.join(folder, "v6.csv")
    with open(csv4, "w") as out:
        out.write(f'{first},{first + 255},64510,"Test Transit, Inc."\n')
    open(csv6, "w").close()
    subprocess.run([env["HOPLOT_BINARY"], "--convert-asn", csv4, csv6,
                    os.path.join(folder, "asn.bin")], check=True)


def test():
    make_as_table()
    app = e2e.start()
    rows = e2e.trace(app, env["DEST_NAME"])
    table = e2e.find(app, "table", "Trace Output")
    e2e.screenshot("traced")
    e2e.check(e2e.column_headers(table) == ["Name", "Ip Number", "Geographical Location",
                                            "Time taken", "Network"], "the output window's columns")
    names = [row[0] for row in rows]
    expected = [env["R1_NAME"], "Timed out. Retrying... ", env["R3_NAME"], env["DEST_NAME"],
                "Done"]
    e2e.check(names == expected, f"rows {names}, not {expected}")
    addresses = [rows[i][1] for i in (0, 2, 3)]
    e2e.check(addresses == [env["R1_ADDRESS"], env["R3_ADDRESS"], env["DEST_ADDRESS"]],
              f"addresses {addresses}")
    e2e.check(all(rows[i][3].endswith("ms") for i in (0, 2, 3)), f"times {rows}")
    networks = [row[4].strip() for row in rows]
    e2e.check(networks == ["", "", "AS64510 Test Transit, Inc.", "", ""], f"networks {networks}")
    e2e.check(e2e.labels(e2e.find(app, "list", "Traces")) == [env["DEST_NAME"]],
              "the trace list names the trace")
    e2e.find(e2e.find(app, "status bar"), "label", "Ready")

    path = os.path.join(env["HOME"], "window.trc")
    e2e.do_action(e2e.menu_item(app, "File", "Save As\tCtrl-A"))
    e2e.find(app, "dialog", "Save As")
    # The file dialog opens with the keyboard in its file name field.
    e2e.xdotool("type", "--delay", 20, path)
    e2e.xdotool("key", "Return")
    e2e.gone(app, "dialog", "Save As")
    e2e.wait_until(lambda: os.path.exists(path), "the trace file")
    saved = open(path, encoding="latin-1").read()
    for word in (env["R1_NAME"], env["R3_ADDRESS"], env["DEST_NAME"], "Done"):
        e2e.check(word in saved, f"{word} missing from the saved file: {saved!r}")
    e2e.wait_until(lambda: "window.trc" in e2e.find(app, "frame").name,
                   "the caption to name the file")


e2e.run(test)
