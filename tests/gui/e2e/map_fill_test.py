"""The map fills its window: in a 1400 x 900 window and in a 1000 x 700 one, the whole flat world
lies in the largest rectangle of its shape that fits the map, centred, and the globe's disc is
sized from that rectangle; the read-outs of a fresh map and a fresh globe say 0.00° N, 0.00° E
at 1:1. A band zooms the map over the whole of it, and a new window size keeps that view."""

import re
import subprocess

import hoplot_e2e as e2e

CENTRE = re.compile(r"(\d+\.\d\d)° ([NS]),\s+(\d+\.\d\d)° ([EW])")
ZOOM = re.compile(r"(\d+):1")
FRESH = (("0.00", "N", "0.00", "E"), 1)


def map_box(app):
    """The map's drawing area on the screen (x, y, width, height): inside its frame, up to the
    scroll bars."""
    hx, hy, _, _ = e2e.extents(e2e.find(app, "scroll bar", "Map horizontal scroll"))
    vx, vy, _, _ = e2e.extents(e2e.find(app, "scroll bar", "Map vertical scroll"))
    return hx, vy, vx - hx, hy - vy


def drawn(box):
    """Left, top, right and bottom of the pixels in the box that are not black."""
    shot = e2e.pixels(*box)
    rows = [(y, shot.row(y)) for y in range(shot.height) if shot.row(y).strip(b"\0")]
    e2e.check(rows, "the map is black")
    left = min(len(row) - len(row.lstrip(b"\0")) for _, row in rows) // 3
    right = (max(len(row.rstrip(b"\0")) for _, row in rows) - 1) // 3
    return left, rows[0][0], right, rows[-1][0]


def read_outs(app):
    """The View Centre line's fields (the upper of the two position read-outs) and the zoom."""
    centres, zoom = [], None
    for label in e2e.nodes(app, "label"):
        centre, factor = CENTRE.search(label.name or ""), ZOOM.search(label.name or "")
        if centre:
            centres.append((e2e.extents(label)[1], centre.groups()))
        if factor:
            zoom = int(factor[1])
    return (min(centres)[1] if centres else None), zoom


def check_fresh(app, what, globe):
    """The whole world, or the globe, as large as the map's smaller side allows, centred."""
    e2e.wait_until(lambda: read_outs(app) == FRESH,
                   f"View Centre 0.00° N, 0.00° E at 1:1 on {what}, not {read_outs(app)}")
    box = map_box(app)
    width, height = box[2], box[3]
    scale = min(width / 831, height / 572)
    left, top, right, bottom = drawn(box)
    if globe:
        radius = int(831 * scale) // 3
        expected = (width / 2 - radius, height / 2 - radius, width / 2 + radius,
                    height / 2 + radius)
        fits = all(abs(edge - at) <= 3 for edge, at in zip((left, top, right, bottom), expected))
    else:
        # The date line's coasts touch both sides of the world; its top and bottom lie within.
        frame_left, frame_top = (width - 831 * scale) / 2, (height - 572 * scale) / 2
        fits = (abs(left - frame_left) <= 3 and abs(right - (width - frame_left)) <= 3 and
                top >= frame_top - 2 and bottom <= height - frame_top + 2 and
                bottom - top >= 0.8 * 572 * scale)
    e2e.check(fits, f"{what}: drawn over {(left, top, right, bottom)} of a map {width} by {height}")


def resize_window(app, width, height):
    """Resizes the window as a window manager would (the test's X server has none)."""
    window = e2e.find(app, "frame", "Hoplot")
    ids = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                          str(app.get_process_id()), "--name", "Hoplot"],
                         capture_output=True, text=True).stdout.split()
    e2e.check(len(ids) == 1, f"X windows of the program: {ids}")
    e2e.xdotool("windowsize", ids[0], width, height)
    e2e.wait_until(lambda: e2e.extents(window)[2:] == (width, height),
                   f"the window to be {width} x {height}")


def show_globe(app, globe):
    item = e2e.menu_item(app, "View", "Globe\tCtrl-G" if globe else "Flat Map\tCtrl-F")
    e2e.do_action(item)
    e2e.wait_until(lambda: e2e.has_state(item, "checked"), "the map's mode")


def test():
    app = e2e.start()
    window = e2e.find(app, "frame", "Hoplot")
    e2e.wait_until(lambda: e2e.extents(window)[2:] == (1400, 900), "a 1400 x 900 window")
    check_fresh(app, "a fresh 1400 x 900 window", globe=False)
    e2e.screenshot("fresh-1400x900")
    show_globe(app, True)
    check_fresh(app, "the globe in 1400 x 900", globe=True)
    e2e.screenshot("globe-1400x900")
    show_globe(app, False)

    # A band from France to the Caspian: zoomed, the map covers the whole drawing area.
    x, y, width, height = map_box(app)
    start = (x + width // 2 + 20, y + height // 4)
    e2e.xdotool("mousemove", *start, "mousedown", 1, "mousemove", start[0] + 60, start[1] + 20,
                "mousemove", start[0] + 120, start[1] + 80, "mouseup", 1)
    e2e.wait_until(lambda: (read_outs(app)[1] or 1) > 1, "a zoom above 1:1")
    zoomed = read_outs(app)
    left, top, right, bottom = drawn((x, y, width, height))
    e2e.check(left <= 40 and top <= 40 and right >= width - 40 and bottom >= height - 40,
              f"zoomed, the map covers only {(left, top, right, bottom)} of {width} by {height}")
    e2e.screenshot("zoomed-1400x900")

    resize_window(app, 1000, 700)
    e2e.wait_until(lambda: map_box(app)[2] < width, "the map to shrink")
    e2e.check(read_outs(app) == zoomed, f"the new size moved the view to {read_outs(app)}")
    e2e.screenshot("zoomed-1000x700")
    e2e.do_action(e2e.menu_item(app, "Edit", "Reset View\tCtrl-R"))
    check_fresh(app, "the whole world in 1000 x 700", globe=False)
    e2e.screenshot("fresh-1000x700")
    show_globe(app, True)
    check_fresh(app, "the globe in 1000 x 700", globe=True)
    e2e.screenshot("globe-1000x700")


e2e.run(test)
