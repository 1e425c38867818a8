"""Reads the game as a screen reader does, off the accessibility bus (AT-SPI, pyatspi).

  dbus-run-session -- /usr/bin/python3 page_reader.py [--tree] GAME FOLDER [next|special]...

Switches assistive technology on as a screen reader does (org.a11y.Status IsEnabled), starts GAME
in FOLDER, and presses the named buttons through their accessible action. Prints a JSON line at
the start and after each press: the picture's text and its label, the miss notice's label, the
special move's name (null when hidden) and the events that arrived; a notification's showing event
carries what a screen reader reads with it, its label. --tree prints the accessible tree at the end
as well.
"""
import json
import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

arrived = []


def label_of(notification):
    return notification[0].name if notification.childCount else ""


def heard(event):
    if event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        return label_of(event.source)
    return event.any_data if isinstance(event.any_data, str) else ""


def pump(seconds, done=lambda: False):
    end = time.monotonic() + seconds
    while time.monotonic() < end and not done():
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)


def window_of(pid):
    for _ in range(300):
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid]
        if apps and apps[0].childCount:
            return apps[0][0]
        pump(0.1)
    sys.exit("the game's window did not appear on the accessibility bus")


def find(window, role):
    found = pyatspi.findAllDescendants(window, lambda o: o.getRole() == role)
    return [o.clear_cache() or o for o in found]


def tree(obj, depth=0):
    obj.clear_cache()
    return "\n".join(["  " * depth + "%s %r" % (obj.getRoleName(), obj.name)] +
                     [tree(child, depth + 1) for child in obj])


def report(window):
    special = find(window, pyatspi.ROLE_PUSH_BUTTON)[1]
    picture, notice = find(window, pyatspi.ROLE_NOTIFICATION)
    print(json.dumps({
        "page": picture.queryText().getText(0, -1),
        "label": label_of(picture),
        "notice": label_of(notice),
        "special": special.name if special.getState().contains(pyatspi.STATE_SHOWING) else None,
        "events": arrived[:]}, ensure_ascii=False), flush=True)
    arrived.clear()


def main(args):
    show_tree = args[0] == "--tree"
    game, folder, *presses = args[show_tree:]
    Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
        GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
        None, Gio.DBusCallFlags.NONE, -1, None)
    pyatspi.Registry.registerEventListener(
        lambda e: arrived.append([e.type, e.source.getRoleName(), heard(e)]),
        "object:text-changed:insert", "object:state-changed:showing",
        "object:property-change:accessible-name")
    game = subprocess.Popen([game], cwd=folder)
    try:
        window = window_of(game.pid)
        pump(1.0)
        arrived.clear()
        report(window)
        for press in presses:
            button = find(window, pyatspi.ROLE_PUSH_BUTTON)[["next", "special"].index(press)]
            button.queryAction().doAction(0)
            pump(10, lambda: bool(arrived))
            pump(0.5)
            report(window)
        if show_tree:
            print(tree(window))
    finally:
        game.kill()


main(sys.argv[1:])
