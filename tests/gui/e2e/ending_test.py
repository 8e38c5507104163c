"""How the window ends besides Quit: a map file with the wrong grid is named in a message and the
program ends with status 0 once it is read; SIGTERM (a desktop logging out) ends it as Quit does,
without asking, with its settings written."""

import os
import signal

import hoplot_e2e as e2e

CONFIG = os.path.join(os.environ["XDG_CONFIG_HOME"], "Varn Software", "Hoplot.conf")


def write_settings(text):
    os.makedirs(os.path.dirname(CONFIG), exist_ok=True)
    with open(CONFIG, "w") as settings:
        settings.write("[1.4]\n" + text)


def ends_on_wrong_map_data():
    data = os.path.join(os.environ["HOME"], "wrong-data")
    os.makedirs(os.path.join(data, "maps"))
    with open(os.path.join(data, "maps", "map.cil.4.256"), "wb") as wrong:
        wrong.write(bytes([0, 0, 0, 32, 0, 0, 1, 0]))  # grid 32 where Low has 4
    write_settings(f"DBPath={data}/\n")
    app = e2e.start()
    alert = e2e.find(app, "alert")
    text = " ".join(node.name for node in e2e.nodes(alert, "label"))
    e2e.check("Wrong data in file maps/map.cil.4.256" in text, f"the message says {text!r}")
    e2e.do_action(e2e.find(alert, "push button", "OK"))
    status = e2e.started_program().wait(10)
    e2e.check(status == 0, f"ended with status {status}")


def sigterm_writes_the_settings():
    os.remove(CONFIG)
    app = e2e.start()
    e2e.do_action(e2e.menu_item(app, "View", "Globe\tCtrl-G"))
    e2e.wait_until(lambda: e2e.has_state(e2e.menu_item(app, "View", "Globe\tCtrl-G"), "checked"),
                   "Globe to be checked")
    program = e2e.started_program()
    program.send_signal(signal.SIGTERM)
    status = program.wait(5)
    e2e.check(status == 0, f"ended with status {status}")
    with open(CONFIG) as settings:
        e2e.check("Globe Mode=1" in settings.read(), "the settings were not written")


def test():
    ends_on_wrong_map_data()
    sigterm_writes_the_settings()


e2e.run(test)
