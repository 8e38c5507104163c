"""The trace list and File > Open of the real window, on loopback: 127.0.0.10 is traced, then
127.0.0.1 typed with the first in the destination history (nothing may complete it); the second
trace's line is the one highlighted and its hop is the one shown. A file that cannot be read, opened
while both traces are held and unsaved, leaves them as they were. Run by
tests/net/window_trace_list_test.sh in a namespace of its own."""

import os

import hoplot_e2e as e2e


def trace_lines(app):
    """The trace list's lines: (name, highlighted)."""
    return [(item.name, e2e.has_state(item, "selected"))
            for item in e2e.children(e2e.find(app, "list", "Traces"))]


def test():
    app = e2e.start()
    first = e2e.trace(app, "127.0.0.10")
    e2e.check(first[0][1] == "127.0.0.10", f"the first trace's hop: {first}")
    second = e2e.trace(app, "127.0.0.1")
    e2e.check(second[0][1] == "127.0.0.1", f"127.0.0.1 was not traced as typed: {second}")
    expected = [("127.0.0.10", False), ("127.0.0.1", True)]
    e2e.wait_until(lambda: trace_lines(app) == expected,
                   f"the trace list to read {expected}, not {trace_lines(app)}")
    e2e.screenshot("two-traces")

    bad = os.path.join(os.environ["HOME"], "bad.trc")
    with open(bad, "w") as broken:
        broken.write("2 broken ")
    e2e.open_file(app, bad)
    question = e2e.find(app, ("alert", "dialog"), "Hoplot")
    e2e.check(e2e.nodes(question, "label", "Save trace(s)?"), "Open does not ask to save")
    e2e.do_action(e2e.find(question, "push button", "No"))
    notice = e2e.wait_until(
        lambda: next((box for box in e2e.nodes(app, ("alert", "dialog"), "Hoplot")
                      if e2e.nodes(box, "label", "Can't read file bad.trc")), None),
        "the notice that the file cannot be read")
    e2e.screenshot("bad-file")
    e2e.do_action(e2e.find(notice, "push button", "OK"))
    e2e.gone(app, "label", "Can't read file bad.trc")

    e2e.check(trace_lines(app) == expected, f"the traces held changed: {trace_lines(app)}")
    rows = e2e.table_rows(e2e.find(app, "table", "Trace Output"))
    e2e.check(rows == second, f"the output shows {rows}, not the second trace")
    e2e.check(e2e.find(app, "frame").name == "Hoplot", "the caption names a file")


e2e.run(test)
