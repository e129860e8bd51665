#!/usr/bin/python3
"""Every way a book comes into the real reader, for every kind of book and of file name,
read as a screen reader reads it: after each way in, and after what follows it, the reader
is alive, its view holds the book's text, and the caption and status line are right.

  ways_in_e2e.py LIRRA WORK OUT   (WORK holds the books, named as book_path() names them)
Runs one reader through the table CELLS (a restart only for the command line); a cell that
fails is reported and the run goes on, so one run names every broken cell.
"""
import os
import re
import signal
import subprocess
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
import pyatspi  # noqa: E402

from atspi_probe import walk  # noqa: E402

LIRRA, WORK, OUT = sys.argv[1:4]
HERE = os.path.dirname(os.path.abspath(__file__))
COPY = os.path.join(os.environ["XDG_CACHE_HOME"], "lirra-reader", "lirra.tmp")   # the reader's copy of a book

# --- the table ---------------------------------------------------------------------------
# Each row: the way in, the kind of book, the kind of file name, then what is done to the
# book once it is shown ("convert": Convert to Win; "save:NAME": Save Book As under a
# name of that kind; "mark": Set Book-Mark, for a later Get Book-Mark or Get Last
# Bookmark). History and the bookmarks bring back a book an earlier row opened or marked.
# Rows alternate plain and rich books, so every switch is made both ways.
CELLS = [
    ("command line",      "dos",    "cp866",  ["mark", "convert"]),
    ("open book",         "sample", "utf8",   ["mark"]),
    ("open rtf book",     "dos",    "blanks", ["save:angle"]),
    ("drop",              "word",   "angle",  ["mark"]),
    ("history",           "dos",    "cp866",  []),
    ("get last bookmark", "word",   "angle",  ["convert"]),
    ("open book",         "empty",  "ascii",  ["mark"]),
    ("get book-mark",     "sample", "utf8",   ["save:utf8"]),
    ("open rtf book",     "empty",  "angle",  []),
    ("drop",              "dos",    "utf8",   ["mark"]),
    ("open rtf book",     "sample", "blanks", ["convert"]),
    ("get last bookmark", "dos",    "utf8",   []),
    ("open book",         "word",   "blanks", []),
    ("history",           "empty",  "ascii",  []),
    ("drop",              "sample", "ascii",  []),
    ("get book-mark",     "empty",  "ascii",  ["save:blanks"]),
    ("open rtf book",     "word",   "utf8",   ["mark"]),
    ("open book",         "dos",    "angle",  []),
    ("history",           "sample", "blanks", []),
    ("drop",              "empty",  "utf8",   []),
    ("get book-mark",     "word",   "utf8",   []),
    ("history",           "word",   "angle",  []),
    ("get book-mark",     "dos",    "utf8",   ["mark"]),
    ("get last bookmark", "dos",    "utf8",   []),
    ("command line",      "sample", "ascii",  ["mark"]),
    ("command line",      "empty",  "blanks", []),
    ("get last bookmark", "sample", "ascii",  []),
    ("command line",      "word",   "ascii",  ["mark"]),
    ("get last bookmark", "word",   "ascii",  []),
    ("open book",         "empty",  "utf8",   ["mark"]),
    ("get last bookmark", "empty",  "utf8",   []),
    ("get book-mark",     "dos",    "cp866",  []),
    ("drop",              "word",   "cp866",  []),
]

# File names (bytes): a CP866 name is what old archives hold; file dialogs cannot name it.
NAMES = {
    "ascii": b"book",
    "utf8": "Книга".encode(),
    "cp866": "Книга".encode("cp866"),
    "blanks": b"two  blanks",
    "angle": b"war <and> peace",
}
EXTENSIONS = {"dos": ".txt", "sample": ".rtf", "word": ".rtf", "empty": ".txt"}


def book_path(book, name):
    return os.fsencode(WORK) + b"/" + NAMES[name] + b" " + book.encode() + EXTENSIONS[book].encode()


def shown_name(path):
    """The name as the reader shows it: a part that is not UTF-8 is read as CP866."""
    return "/".join(part.decode() if is_utf8(part) else part.decode("cp866") for part in path.split(b"/"))


def is_utf8(data):
    try:
        data.decode()
        return True
    except UnicodeDecodeError:
        return False


def spoken_name(path, name):
    """`name` as the bus carries a menu's or list's text: bytes that are not UTF-8 read as '?'."""
    return "/".join(part.decode() if is_utf8(part) else "".join(chr(b) if b < 128 else "?" for b in part)
                    for part in path.split(b"/")) + name[len(shown_name(path)):]


# The book's text as the view holds it: plain books in CP866 unless read as they are
# (Open RTF Book), which shows their bytes as Windows 1251. A CP866 book is shown from
# the reader's copy, whose every line ends in a line break.
def book_text(book, path, raw):
    data = open(path, "rb").read()
    if book in ("sample", "word"):
        return RICH_TEXTS[book]
    text = data.decode("cp1251" if raw else "cp866").replace("\r", "")
    return text if raw or text.endswith("\n") or not text else text + "\n"


# The word processor's book is known here; the reader's own sample is learned from its
# first showing, which must be its text (its heading first, no RTF codes left).
SAMPLE_HEADING = "Пример книги в формате RTF\n"
RICH_TEXTS = {
    "sample": None,
    "word": "Письма с моря\n"
            "Dear friend,\tthe sea is серый today — «холодно», as always.\n"
            "Yours, № 7 “Lighthouse”\n",
}


class Failure(Exception):
    pass


# --- the reader from outside -----------------------------------------------------------

def run(*args, **kw):
    return subprocess.run(args, check=False, capture_output=True, **kw)


def keys(*names):
    run("xdotool", "key", "--delay", "40", *names)
    time.sleep(0.15)


class Reader:
    def __init__(self):
        self.process = None
        self.marks = []          # (path, line) of each bookmark set, oldest first
        self.marked_line = None  # the line of the bookmark a way in went back to
        self.names = {}          # path -> the name the reader was given for it
        self.count = 0

    # The application on the bus, read afresh each time (nothing cached).
    def app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        return None

    def alive(self):
        if self.process.poll() is not None:
            said = [line for line in open(os.path.join(WORK, "stderr.txt"), errors="replace")
                    if "runtime error" in line or "ERROR:" in line]
            raise Failure(f"the reader died (exit status {self.process.returncode}) {said[:1]}")

    def windows(self):
        app = self.app()
        windows = [app.getChildAtIndex(i) for i in range(app.childCount)] if app else []
        return [w for w in windows if w is not None and w.getState().contains(pyatspi.STATE_SHOWING)]

    def boxes(self):
        """The message boxes up, as 'title: text'."""
        return [f"'{box.name}': " + " / ".join(n.name for n in walk(box) if n.getRoleName() == "label" and n.name)
                for box in self.windows() if box.getRoleName() == "alert"]

    def wait(self, what, test, seconds=10):
        """Polls test() until it gives a value; an unexpected box or a dead reader fails at once."""
        deadline = time.monotonic() + seconds
        last = None
        while time.monotonic() < deadline:
            self.alive()
            try:
                last = test()
                if last:
                    return last
            except Exception as error:   # the tree changes under the walk
                last = error
            boxes = self.boxes()
            if boxes:
                raise Failure(f"waiting for {what}: a box is up: {boxes}")
            time.sleep(0.15)
        raise Failure(f"no {what} within {seconds} s (last: {last!r})")

    def window(self, role, title):
        """The window, once it is up and has the keyboard."""
        return self.wait(f"{role} '{title}'", lambda: next(
            (w for w in self.windows() if w.getRoleName() == role and w.name == title
             and w.getState().contains(pyatspi.STATE_ACTIVE)), None))

    def main(self):
        return next(w for w in self.windows() if w.getRoleName() == "frame")

    def state(self):
        """The caption, the view's text and the status line; the menus are not walked."""
        frame = self.main()
        panel = next(frame.getChildAtIndex(i) for i in range(frame.childCount)
                     if frame.getChildAtIndex(i).getRoleName() == "frame")
        view = next(panel.getChildAtIndex(i) for i in range(panel.childCount)
                    if panel.getChildAtIndex(i).getRoleName() == "text")
        status = next(panel.getChildAtIndex(i) for i in range(panel.childCount)
                      if panel.getChildAtIndex(i).name == "Status line")
        labels = [status.getChildAtIndex(i) for i in range(status.childCount)]
        return (frame.name, view.queryText().getText(0, -1).replace("\r", ""),
                " ".join(label.name for label in labels if label.getRoleName() == "label"))

    # --- ways in
    def start(self, path):
        self.stop()
        self.process = subprocess.Popen([LIRRA, path], stderr=open(os.path.join(WORK, "stderr.txt"), "ab"))
        self.window("frame", shown_name(path) + " ")
        self.activate()
        return shown_name(path) + " "   # the arguments joined, each followed by a blank

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)   # ends as Exit ends it, asking nothing
            if self.process.wait(10) != 0:
                raise Failure(f"the reader ended with status {self.process.returncode}")

    def activate(self):
        """Gives the main window (the only one up between cells) the keyboard."""
        self.wid = run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(self.process.pid),
                       "--name", ".").stdout.split()[0].decode()
        if run("xdotool", "windowactivate", "--sync", self.wid).returncode:
            run("xdotool", "windowfocus", "--sync", self.wid)
        time.sleep(0.2)

    def file_dialog(self, title, path):
        if not is_utf8(path):
            raise Failure("a file dialog cannot name a file whose name is not UTF-8: the table is wrong")
        dialog = self.window("dialog", title)
        edit = self.wait("the file name field", lambda: next(
            (n for n in walk(dialog) if n.getRoleName() == "text" and n.getState().contains(pyatspi.STATE_FOCUSED)), None))
        edit.queryEditableText().setTextContents(path.decode())
        time.sleep(0.2)
        keys("Return")
        return path.decode()

    def open_book(self, path):
        keys("F3")
        return self.file_dialog("Open Book", path)

    def open_rtf_book(self, path):
        keys("alt+f", "Down", "Return")
        return self.file_dialog("Open RTF Book", path)

    def drop(self, path):
        # The drop ends only once the reader has taken the book: a box it shows holds it.
        self.dropping = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "xdnd_drop.py"), self.wid, path],
                                         stderr=subprocess.PIPE)
        return self.names.get(path, shown_name(path))

    def history(self, path):
        name = self.names[path]
        # Files, down to History (the seventh item), and into it.
        keys("alt+f", *["Down"] * 6, "Right")
        items = self.wait("the History menu", lambda: [n.name for n in walk(self.main())
                          if n.getRoleName() == "menu item" and n.name[1:2] == "\t"])
        # A name the bus cannot carry (bytes that are not UTF-8) reads as '?' there.
        spoken = spoken_name(path, name)
        entry = next((item for item in items if item[2:] == spoken), None)
        if entry is None:
            keys("Escape", "Escape")
            raise Failure(f"History does not hold '{spoken}': {items}")
        keys(entry[0].lower())   # the entry's access key
        return name

    def get_bookmark(self, path):
        name = self.names[path]
        keys("ctrl+F1")
        dialog = self.window("dialog", "Get Book-Marks")
        listing = next(n for n in walk(dialog) if n.getRoleName() == "list")
        rows = [listing.getChildAtIndex(i).name for i in range(listing.childCount)]
        row = next((i for i, text in enumerate(rows)
                    if f"] {name} <" in text or f"] {spoken_name(path, name)} <" in text), None)
        if row is None:
            keys("Escape")
            raise Failure(f"no bookmark of '{name}' in {rows}")
        for _ in range(6):   # Tab round to the list, then down to the row
            if listing.getState().contains(pyatspi.STATE_FOCUSED):
                break
            keys("Tab")
        keys("Home", *["Down"] * row)
        selected = lambda: [listing.getChildAtIndex(i).name for i in range(len(rows))
                            if listing.getChildAtIndex(i).getState().contains(pyatspi.STATE_SELECTED)]
        if not selected():
            keys("space")   # the row was current already: moving to it chose nothing
        self.wait("the bookmark chosen", lambda: selected() == [rows[row]])
        self.marked_line = int(rows[row].rsplit("<", 1)[1].rstrip(">"))
        self.press(dialog, "Get Book-Mark")
        return name

    def get_last_bookmark(self, path):
        if not self.marks or self.marks[-1][0] != path:
            raise Failure("the table is wrong: the last bookmark is of another book")
        self.marked_line = self.marks[-1][1]
        keys("alt+F1")
        return self.names[path]

    def press(self, dialog, button):
        node = next(n for n in walk(dialog) if n.getRoleName() == "push button" and n.name == button)
        node.queryAction().doAction(0)

    # --- what follows
    def mark(self, path):
        line = int(self.state()[2].split()[1])
        keys("ctrl+F2")
        dialog = self.window("dialog", "Set Book-Marks")
        self.press(dialog, "Set Book-Mark")
        self.wait("the new bookmark", lambda: self.count_rows(dialog) > len(self.marks))
        self.press(dialog, "Exit")
        self.wait("the Set dialog to close", lambda: not any(w.name == "Set Book-Marks" for w in self.windows()))
        self.marks.append((path, line))

    def count_rows(self, dialog):
        return next(n for n in walk(dialog) if n.getRoleName() == "list").childCount

    def save_as(self, name_kind):
        self.count += 1
        target = os.fsencode(WORK) + b"/saved " + str(self.count).encode() + b" " + NAMES[name_kind] + b".txt"
        keys("alt+f", "Down", "Down", "Return")
        self.file_dialog("Save As", target)
        return target

    def quit(self):
        keys("alt+x")
        self.window("alert", "Information")    # the bookmark offered before exit
        keys("alt+n")
        if self.process.wait(10) != 0:
            raise Failure(f"Exit ended the reader with status {self.process.returncode}")


WAYS = {
    "command line": Reader.start,
    "open book": Reader.open_book,
    "open rtf book": Reader.open_rtf_book,
    "drop": Reader.drop,
    "history": Reader.history,
    "get book-mark": Reader.get_bookmark,
    "get last bookmark": Reader.get_last_bookmark,
}
# The ways in that read a plain book as it is, without the DOS conversion.
RAW_WAYS = {"open rtf book"}


def status_line(line, text):
    """What the status line shows on `line` (the column is what the last change left)."""
    if text is None:
        return rf"Line: {line} Char: \d+ \d+%"
    count = len(text.splitlines())   # an empty last line is not counted
    return rf"Line: {line} Char: \d+ {round(line / (count + 1) * 100)}%"


def difference(wanted, shown):
    at = next((i for i, (a, b) in enumerate(zip(wanted, shown)) if a != b), min(len(wanted), len(shown)))
    return f"from character {at}: expected {wanted[at:at + 40]!r}, shown {shown[at:at + 40]!r}"


def expect(reader, what, caption, text, status):
    def matches():
        state = reader.state()
        return state if (state[0] == caption and (text is None or state[1] == text)
                         and re.fullmatch(status, state[2].strip())) else None
    try:
        return reader.wait(what, matches)
    except Failure as failure:
        try:
            shown_caption, shown_text, shown_status = reader.state()
        except Exception:   # the reader is gone: the failure says so
            raise failure
        wrong = [f"caption '{shown_caption}', expected '{caption}'"] if shown_caption != caption else []
        wrong += [f"text {difference(text, shown_text)}"] if text is not None and shown_text != text else []
        wrong += [f"status '{shown_status}', expected '{status}'"] if not re.fullmatch(status, shown_status.strip()) else []
        raise Failure(f"{failure}: {'; '.join(wrong)}") from None


def run_cell(reader, way, book, name, then):
    path = book_path(book, name)
    if reader.process is None and way != "command line":
        raise Failure("the table must start with the command line")
    if way != "command line":
        reader.activate()
    caption = WAYS[way](reader, path)
    if way not in ("history", "get book-mark", "get last bookmark"):
        reader.names[path] = caption
    text = book_text(book, path, way in RAW_WAYS)
    # A bookmark brings back the line below the marked one, if there is one.
    line = 1
    if way in ("get book-mark", "get last bookmark"):
        line = min(reader.marked_line + 1, max(len((RICH_TEXTS["sample"] if text is None else text).splitlines()), 1))
    status = status_line(line, text)
    _, text_seen, _ = expect(reader, f"the book after '{way}'", caption, text, status)
    if way == "drop" and reader.dropping.wait(10):
        raise Failure(f"the drop failed: {reader.dropping.stderr.read().decode().strip()}")
    if text is None:
        if not text_seen.startswith(SAMPLE_HEADING) or re.search(r"[\\{}]", text_seen):
            raise Failure(f"the sample shows {text_seen[:120]!r}")
        RICH_TEXTS["sample"] = text_seen
    for step in then:
        if step == "convert":
            keys("ctrl+w")
            # What Convert to Win makes of each letter is its own test's; here the view
            # must show the reader's new copy (in 1251) of the book.
            copy = lambda: open(COPY, "rb").read().decode("cp1251").replace("\r", "")
            converted = RICH_TEXTS.get(book) or reader.wait("the new copy", lambda: copy() != text_seen and copy())
            expect(reader, "the book after Convert to Win", caption, converted, status_line(r"\d+", None))
            text_seen = converted
        elif step == "mark":
            reader.mark(path)
        elif step.startswith("save:"):
            target = reader.save_as(step[5:])
            expect(reader, "the book after Save Book As", target.decode(), text_seen, status_line(r"\d+", None))
            # Saved as plain Windows 1251 text: a letter it lacks (the sample's omega) is a '?'.
            saved = open(target, "rb").read().decode("cp1251").replace("\r", "").rstrip("\n")
            wanted = text_seen.encode("cp1251", "replace").decode("cp1251").rstrip("\n")
            if saved != wanted:
                raise Failure(f"Save Book As wrote a text that differs {difference(wanted, saved)}")


def main():
    reader = Reader()
    failures, passed = [], 0
    started = time.monotonic()
    for number, (way, book, name, then) in enumerate(CELLS, 1):
        label = f"cell {number}: {way} × {book} × {name}" + (f" then {', '.join(then)}" if then else "")
        try:
            began = time.monotonic()
            run_cell(reader, way, book, name, then)
            print(f"ok   {label} ({time.monotonic() - began:.1f} s)", flush=True)
            passed += 1
        except Failure as failure:
            failures.append(f"{label}: {failure}")
            print(f"FAIL {label}: {failure}", flush=True)
            run("import", "-window", "root", os.path.join(OUT, f"cell-{number}.png"))
            if reader.process is None or reader.process.poll() is not None:
                break   # nothing to go on with
            for _ in range(3):   # close what the failure left up
                if reader.boxes() or any(w.getRoleName() == "dialog" for w in reader.windows()):
                    keys("Escape")
    try:
        if reader.process is not None and reader.process.poll() is None:
            reader.activate()
            reader.quit()
    except Failure as failure:
        failures.append(f"exit: {failure}")
    print(f"e2e ways in: {passed} of {len(CELLS)} cells passed in "
          f"{time.monotonic() - started:.0f} s")
    if failures:
        sys.exit("FAIL:\n  " + "\n  ".join(failures))


main()
