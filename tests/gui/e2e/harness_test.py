"""The harness itself: the real program, started through hoplot, shows its window on the private
display and on the accessibility bus, and the screen can be saved."""

import os
import struct

import hoplot_e2e as e2e


def png_size(path):
    with open(path, "rb") as picture:
        header = picture.read(24)
    e2e.check(header[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG")
    return struct.unpack(">II", header[16:24])


def test():
    app = e2e.start()
    window = e2e.find(app, "frame", "Hoplot")
    e2e.wait_until(lambda: e2e.has_state(window, "showing"), "the window to show")
    pid = app.get_process_id()
    e2e.check(os.readlink(f"/proc/{pid}/exe").endswith("/hoplot-view"),
              "the window does not run in hoplot-view")
    e2e.check(png_size(e2e.screenshot("window")) == (1400, 900), "screenshot is not the screen")


e2e.run(test)
