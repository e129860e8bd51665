#!/usr/bin/python3
"""Reads the reader's window through the accessibility bus, as a screen reader does.

Usage: atspi_probe.py PID COMMAND...
  status            prints the status line's labels, one per line
  line              prints the book view's name, then the text of the caret's line
  text START END    prints the book view's text from START to END
Exits non-zero when the program or the object cannot be found within ten seconds.
"""
import sys
import time

import pyatspi


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def find(node, accept):
    if accept(node):
        return node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            hit = find(child, accept)
            if hit is not None:
                return hit
    return None


def wait_for(pid, accept):
    for _ in range(100):
        app = application(pid)
        hit = find(app, accept) if app is not None else None
        if hit is not None:
            return hit
        time.sleep(0.1)
    sys.exit(f"not found in process {pid}")


def main():
    pid, command = int(sys.argv[1]), sys.argv[2]
    if command == "status":
        panel = wait_for(pid, lambda n: n.name == "Status line")
        for i in range(panel.childCount):
            label = panel.getChildAtIndex(i)
            if label.getRoleName() == "label":
                print(label.name)
        return
    view = wait_for(pid, lambda n: n.getRoleName() == "text" and "readonly" in
                    [pyatspi.stateToString(s) for s in n.getState().getStates()])
    text = view.queryText()
    if command == "line":
        print(view.name)
        line, _, _ = text.getTextAtOffset(text.caretOffset, pyatspi.TEXT_BOUNDARY_LINE_START)
        print(line.rstrip("\r\n"))
    elif command == "text":
        print(text.getText(int(sys.argv[3]), int(sys.argv[4])))


main()
