#!/usr/bin/python3
"""Reads a running program's window through the accessibility bus, as a screen reader would.

  atspi_probe.py PID WINDOW text NAME  prints the text of the object named NAME in WINDOW
  atspi_probe.py PID WINDOW has NAME   exits 0 when WINDOW holds an object named NAME
  atspi_probe.py PID WINDOW status     prints the labels of WINDOW's status line, one a line
  atspi_probe.py PID WINDOW line       prints the name of WINDOW's read-only text (the book
                                       view), then the text of the line the caret is on
  atspi_probe.py PID WINDOW digest     prints the name of WINDOW's read-only text, then the
                                       SHA-1 of its whole text in UTF-8
A missing window exits 2, a missing object 1.
"""
import hashlib
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


def first(frame, accept):
    return next((node for node in walk(frame) if accept(node)), None)


def read_only_text(node):
    return node.getRoleName() == "text" and node.getState().contains(pyatspi.STATE_READ_ONLY)


def main():
    pid, title, what = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    frame = window(pid, title)
    if frame is None:
        sys.exit(2)
    if what == "has":
        sys.exit(0 if first(frame, lambda node: node.name == sys.argv[4]) else 1)
    if what == "text":
        node = first(frame, lambda node: node.name == sys.argv[4])
        if node is None:
            sys.exit(1)
        print(node.queryText().getText(0, -1))
    elif what == "status":
        panel = first(frame, lambda node: node.name == "Status line")
        if panel is None:
            sys.exit(1)
        for label in walk(panel):
            if label.getRoleName() == "label":
                print(label.name)
    elif what == "line":
        view = first(frame, read_only_text)
        if view is None:
            sys.exit(1)
        text = view.queryText()
        line, _, _ = text.getTextAtOffset(text.caretOffset, pyatspi.TEXT_BOUNDARY_LINE_START)
        print(view.name)
        print(line.rstrip("\r\n"))
    elif what == "digest":
        view = first(frame, read_only_text)
        if view is None:
            sys.exit(1)
        print(view.name)
        print(hashlib.sha1(view.queryText().getText(0, -1).encode("utf-8")).hexdigest())
    else:
        sys.exit(3)


if __name__ == "__main__":
    main()
