#!/usr/bin/python3
"""A stand-in for the desktop's screen saver on the session bus: it answers the
freedesktop Inhibit and UnInhibit calls and writes each one, a line each, to a log."""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

LOG = sys.argv[1]


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.cookie = 100

    def log(self, line):
        with open(LOG, "a") as out:
            out.write(line + "\n")

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        self.cookie += 1
        self.log(f"Inhibit {application} {self.cookie}")
        return self.cookie

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        self.log(f"UnInhibit {cookie}")


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.freedesktop.ScreenSaver", bus)
saver = ScreenSaver(bus)
open(LOG, "a").close()   # ready
GLib.MainLoop().run()
