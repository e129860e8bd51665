#!/usr/bin/python3
"""Drops files onto a window as a file manager does, by the X drag-and-drop protocol
(xdotool can move the pointer but cannot carry data).

  xdnd_drop.py WINDOW PATH...   drops PATH... (as a text/uri-list) on the middle of WINDOW
Exits 0 once the window has taken the drop and said it is finished, 1 otherwise.
"""
import os
import sys
import time
import urllib.parse

from Xlib import X, display, protocol

VERSION = 5


def main():
    target_id = int(sys.argv[1], 0)
    # File names are bytes: a name in an old code page travels percent-encoded as it is.
    uris = b"".join(b"file://" + urllib.parse.quote_from_bytes(os.fsencode(p)).encode() + b"\r\n"
                    for p in sys.argv[2:])
    d = display.Display()
    atom = lambda name: d.intern_atom(name)
    uri_list, selection = atom("text/uri-list"), atom("XdndSelection")
    root = d.screen().root
    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly, X.CopyFromParent)
    target = d.create_resource_object("window", target_id)
    source.set_selection_owner(selection, X.CurrentTime)

    def send(name, *data):
        words = [source.id, *data] + [0] * (4 - len(data))
        event = protocol.event.ClientMessage(window=target, client_type=atom(name), data=(32, words))
        target.send_event(event)
        d.flush()

    def wait_for(name, seconds=5):
        """Answers requests for the data until the target sends the message `name`."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while d.pending_events():
                event = d.next_event()
                if event.type == X.SelectionRequest and event.selection == selection:
                    ok = event.target == uri_list
                    if ok:
                        event.requestor.change_property(event.property, uri_list, 8, uris)
                    notify = protocol.event.SelectionNotify(time=event.time, requestor=event.requestor,
                                                            selection=event.selection, target=event.target,
                                                            property=event.property if ok else X.NONE)
                    event.requestor.send_event(notify)
                    d.flush()
                elif event.type == X.ClientMessage and event.client_type == atom(name):
                    return event.data[1]
            time.sleep(0.02)
        return None

    geometry = target.get_geometry()
    middle = target.translate_coords(root, geometry.width // 2, geometry.height // 2)
    send("XdndEnter", VERSION << 24, uri_list)
    send("XdndPosition", 0, (middle.x << 16) | middle.y, X.CurrentTime, atom("XdndActionCopy"))
    status = wait_for("XdndStatus")
    if status is None or not status[1] & 1:
        send("XdndLeave")
        sys.exit(f"the window refused the drop (status {status})")
    send("XdndDrop", 0, X.CurrentTime)
    if wait_for("XdndFinished") is None:
        sys.exit("the window never finished the drop")


main()
