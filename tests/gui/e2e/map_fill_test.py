"""The map fills its window: in a 1400 x 900 window and in a 1000 x 700 one, the whole flat world
lies in the largest rectangle of its shape that fits the map, centred, and the globe's disc is
sized from that rectangle; the read-outs of a fresh map and a fresh globe say 0.00° N, 0.00° E
at 1:1. A band zooms the map over the whole of it, and a new window size keeps that view."""

import re
import subprocess

import hoplot_e2e as e2e

WORLD_W, WORLD_H = 831, 572
CENTRE = re.compile(r"(\d+\.\d\d)° ([NS]),\s+(\d+\.\d\d)° ([EW])")
ZOOM = re.compile(r"(\d+):1")


def map_viewport(app):
    """The map's drawing area on the screen: its box inside the frame, up to the scroll bars."""
    horizontal = e2e.find(app, "scroll bar", "Map horizontal scroll")
    vertical = e2e.find(app, "scroll bar", "Map vertical scroll")
    hx, hy, _, _ = e2e.extents(horizontal)
    vx, vy, _, _ = e2e.extents(vertical)
    return hx, vy, vx - hx, hy - vy


def drawn_box(box):
    """The bounding box (left, top, right, bottom) of the pixels that are not black, relative to
    the box's corner."""
    x, y, width, height = box
    shot = e2e.pixels(x, y, width, height)
    found = None
    for row in range(height):
        line = shot.row(row)
        if not line.strip(b"\0"):
            continue
        left = (len(line) - len(line.lstrip(b"\0"))) // 3
        right = (len(line.rstrip(b"\0")) - 1) // 3
        found = (left, row, right, row) if found is None else (
            min(found[0], left), found[1], max(found[2], right), row)
    e2e.check(found is not None, "the map is black")
    return found


def frame(box):
    """Left, top, width and height of the world's largest rectangle that fits the box, centred."""
    _, _, width, height = box
    scale = min(width / WORLD_W, height / WORLD_H)
    return (width - WORLD_W * scale) / 2, (height - WORLD_H * scale) / 2, WORLD_W * scale, \
        WORLD_H * scale


def read_outs(app):
    """The View Centre line's four fields (the upper of the two position read-outs) and the zoom
    factor."""
    found = []
    zoom = None
    for label in e2e.nodes(app, "label"):
        name = label.name or ""
        centre = CENTRE.search(name)
        if centre:
            found.append((e2e.extents(label)[1], centre.groups()))
        factor = ZOOM.search(name)
        if factor:
            zoom = int(factor[1])
    return (min(found)[1] if found else None), zoom


def check_fresh_read_outs(app, what):
    fresh = (("0.00", "N", "0.00", "E"), 1)
    e2e.wait_until(lambda: read_outs(app) == fresh,
                   f"View Centre 0.00° N, 0.00° E at 1:1 on {what}, not {read_outs(app)}")


def check_world_fills(app, what):
    box = map_viewport(app)
    left, top, width, height = frame(box)
    drawn = drawn_box(box)
    # The date line's coasts touch both sides of the frame; the Arctic islands and Antarctica lie
    # within its top and bottom.
    e2e.check(abs(drawn[0] - left) <= 3 and abs(drawn[2] - (left + width)) <= 3,
              f"{what}: the world spans x {drawn[0]}..{drawn[2]}, not the frame's "
              f"{left:.0f}..{left + width:.0f} in a map {box[2]} wide")
    e2e.check(drawn[1] >= top - 2 and drawn[3] <= top + height + 2 and
              drawn[3] - drawn[1] >= 0.8 * height,
              f"{what}: the world spans y {drawn[1]}..{drawn[3]}, not inside the frame's "
              f"{top:.0f}..{top + height:.0f} of a map {box[3]} high")
    check_fresh_read_outs(app, what)


def check_globe(app, what):
    box = map_viewport(app)
    _, _, width, height = frame(box)
    radius = int(width) // 3
    drawn = drawn_box(box)
    centre_x, centre_y = box[2] / 2, box[3] / 2
    for edge, expected in zip(drawn, (centre_x - radius, centre_y - radius,
                                      centre_x + radius, centre_y + radius)):
        e2e.check(abs(edge - expected) <= 3,
                  f"{what}: the disc spans {drawn}, not a radius {radius} about the middle of "
                  f"a map {box[2]} by {box[3]}")
    check_fresh_read_outs(app, what)


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


def choose(app, title, label):
    e2e.do_action(e2e.menu_item(app, title, label))


def test():
    app = e2e.start()
    window = e2e.find(app, "frame", "Hoplot")
    e2e.wait_until(lambda: e2e.extents(window)[2:] == (1400, 900), "a 1400 x 900 window")
    globe = e2e.menu_item(app, "View", "Globe\tCtrl-G")

    check_world_fills(app, "a fresh 1400 x 900 window")
    e2e.screenshot("fresh-1400x900")
    choose(app, "View", "Globe\tCtrl-G")
    e2e.wait_until(lambda: e2e.has_state(globe, "checked"), "the globe")
    check_globe(app, "the globe in 1400 x 900")
    e2e.screenshot("globe-1400x900")
    choose(app, "View", "Flat Map\tCtrl-F")
    e2e.wait_until(lambda: not e2e.has_state(globe, "checked"), "the flat map")

    # A band from France to the Caspian: zoomed, the map covers the whole drawing area.
    x, y, width, height = map_viewport(app)
    start = (x + width // 2 + 20, y + height // 4)
    e2e.xdotool("mousemove", *start, "mousedown", 1, "mousemove", start[0] + 60, start[1] + 20,
                "mousemove", start[0] + 120, start[1] + 80, "mouseup", 1)
    e2e.wait_until(lambda: (read_outs(app)[1] or 1) > 1, "a zoom above 1:1")
    centre, zoom = read_outs(app)
    drawn = drawn_box((x, y, width, height))
    e2e.check(drawn[0] <= 40 and drawn[1] <= 40 and drawn[2] >= width - 40 and
              drawn[3] >= height - 40,
              f"zoomed, the map covers only {drawn} of a map {width} by {height}")
    e2e.screenshot("zoomed-1400x900")

    resize_window(app, 1000, 700)
    e2e.wait_until(lambda: map_viewport(app)[2] < width, "the map to shrink")
    e2e.check(read_outs(app) == (centre, zoom),
              f"the new size changed the view: {read_outs(app)}, was {(centre, zoom)}")
    e2e.screenshot("zoomed-1000x700")
    choose(app, "Edit", "Reset View\tCtrl-R")
    check_world_fills(app, "the whole world in 1000 x 700")
    e2e.screenshot("fresh-1000x700")
    choose(app, "View", "Globe\tCtrl-G")
    e2e.wait_until(lambda: e2e.has_state(globe, "checked"), "the globe")
    check_globe(app, "the globe in 1000 x 700")
    e2e.screenshot("globe-1000x700")


e2e.run(test)
