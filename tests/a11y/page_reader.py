"""Reads the game as a screen reader does, over the accessibility bus (AT-SPI, with pyatspi).

Run it inside a private session bus, with /usr/bin/python3 (Debian's pyatspi):
  dbus-run-session -- /usr/bin/python3 page_reader.py GAME FOLDER [next|special]...
  dbus-run-session -- /usr/bin/python3 page_reader.py --tree GAME FOLDER [next|special]...

Switches assistive technology on the way a screen reader does (org.a11y.Status IsEnabled, which
Qt follows), starts GAME in FOLDER, waits for its window on the bus, and presses the buttons named
on the command line through their accessible "Press" action. Prints one JSON line at the start and
one after each press: the picture's text, the special-move button's name, and the events that
arrived. With --tree, prints the accessible tree at the end instead.
"""
import json
import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

EVENTS = ("object:text-changed:insert", "object:state-changed:showing",
          "object:property-change:accessible-name")
BUTTONS = {"next": 0, "special": 1}
arrived = []


def on_event(event):
    data = event.any_data if isinstance(event.any_data, str) else ""
    arrived.append([event.type, event.source.getRoleName(), data])


def switch_assistive_technology_on():
    Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
        GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
        None, Gio.DBusCallFlags.NONE, -1, None)


def pump(seconds, done=lambda: False):
    end = time.monotonic() + seconds
    while time.monotonic() < end and not done():
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)


def window_of(pid):
    for _ in range(300):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid and app.childCount:
                return app[0]
        pump(0.1)
    sys.exit("the game's window did not appear on the accessibility bus")


def find(window, role):
    found = pyatspi.findAllDescendants(window, lambda o: o.getRole() == role)
    for obj in found:
        obj.clear_cache()
    return found


def tree(obj, depth=0):
    obj.clear_cache()
    lines = ["  " * depth + "%s %r" % (obj.getRoleName(), obj.name)]
    return "\n".join(lines + [tree(child, depth + 1) for child in obj])


def report(window):
    picture = find(window, pyatspi.ROLE_NOTIFICATION)[0]
    special = find(window, pyatspi.ROLE_PUSH_BUTTON)[1]
    shown = special.getState().contains(pyatspi.STATE_SHOWING)
    print(json.dumps({"page": picture.queryText().getText(0, -1),
                      "special": special.name if shown else None,
                      "events": arrived[:]}, ensure_ascii=False), flush=True)
    arrived.clear()


def main(args):
    show_tree = args[0] == "--tree"
    game, folder, *presses = args[1:] if show_tree else args
    switch_assistive_technology_on()
    pyatspi.Registry.registerEventListener(on_event, *EVENTS)
    process = subprocess.Popen([game], cwd=folder)
    try:
        window = window_of(process.pid)
        pump(1.0)
        arrived.clear()
        show_tree or report(window)
        for press in presses:
            find(window, pyatspi.ROLE_PUSH_BUTTON)[BUTTONS[press]].queryAction().doAction(0)
            pump(10, lambda: bool(arrived))
            pump(0.5)
            show_tree or report(window)
        show_tree and print(tree(window))
    finally:
        process.kill()


main(sys.argv[1:])
