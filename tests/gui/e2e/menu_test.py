"""The window's menus as assistive technology reads them: the titles and items of the menu bar,
the View menu's Globe and Flat Map marks following the command, Help > About opening its dialog."""

import hoplot_e2e as e2e


def test():
    app = e2e.start()
    bar = e2e.find(app, "menu bar")
    titles = e2e.labels(bar)
    for title in ("File", "View", "Help"):
        e2e.check(title in titles, f"no {title} menu among {titles}")
    e2e.check(titles[0] == "File", f"the menu bar starts with {titles[0]!r}, not File")
    file_items = e2e.labels(e2e.menu(app, "File"))
    e2e.check(file_items[0] == "New\tCtrl-N", f"the File menu starts with {file_items[0]!r}")

    globe = e2e.menu_item(app, "View", "Globe\tCtrl-G")
    flat = e2e.menu_item(app, "View", "Flat Map\tCtrl-F")
    e2e.check(e2e.has_state(flat, "checked") and not e2e.has_state(globe, "checked"),
              "a fresh start does not show the flat map")
    e2e.do_action(globe)
    e2e.wait_until(lambda: e2e.has_state(globe, "checked"), "Globe to be checked")
    e2e.check(not e2e.has_state(flat, "checked"), "Flat Map stays checked beside Globe")
    e2e.screenshot("globe")
    e2e.do_action(flat)
    e2e.wait_until(lambda: e2e.has_state(flat, "checked") and not e2e.has_state(globe, "checked"),
                   "Flat Map to be checked again and Globe not")

    e2e.do_action(e2e.menu_item(app, "Help", "About"))
    about = e2e.find(app, "dialog", "About Hoplot")
    e2e.screenshot("about")
    e2e.do_action(e2e.find(about, "push button", "OK"))
    e2e.gone(app, "dialog", "About Hoplot")


e2e.run(test)
