#!/usr/bin/python3
"""Reads a running program's window through the accessibility bus, as a screen reader would.

  atspi_probe.py PID WINDOW text NAME  prints the text of the object named NAME in WINDOW
  atspi_probe.py PID WINDOW has NAME   exits 0 when WINDOW holds an object named NAME
"""
import sys

import pyatspi


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def window(pid, title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            for i in range(app.childCount):
                frame = app.getChildAtIndex(i)
                if frame is not None and frame.name == title:
                    return frame
    return None


def main():
    pid, title, what = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    frame = window(pid, title)
    if frame is None:
        sys.exit(2)
    if what == "text":
        for node in walk(frame):
            if node.name == sys.argv[4]:
                print(node.queryText().getText(0, -1))
                return
        sys.exit(1)
    if what == "has":
        sys.exit(0 if any(node.name == sys.argv[4] for node in walk(frame)) else 1)
    sys.exit(3)


main()
