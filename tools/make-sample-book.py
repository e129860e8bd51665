#!/usr/bin/env python3
"""Builds resources/sample/sample-book.txt, the sample book, from its UTF-8 source.

The book is laid out the way DOS books were: paragraphs wrapped at 72 columns with
a three-blank indent, titles centred, table lines as written, code page 866 and
CR LF line ends. Source lines: "= Title", a table line (starting with a box-drawing
character), an empty line, or one whole paragraph.
"""
import pathlib
import textwrap

WIDTH = 72
here = pathlib.Path(__file__).resolve().parent
source = here / "sample-book" / "sample-book.utf8.txt"
target = here.parent / "resources" / "sample" / "sample-book.txt"

lines = []
for line in source.read_text(encoding="utf-8").splitlines():
    if line.startswith("= "):
        lines.append(line[2:].center(WIDTH).rstrip())
    elif not line or line[0] in "┌│├└╔║╠╚":
        lines.append(line)
    else:
        lines += textwrap.wrap(line, WIDTH, initial_indent="   ", break_on_hyphens=False)

target.parent.mkdir(parents=True, exist_ok=True)
target.write_bytes("".join(l + "\r\n" for l in lines).encode("cp866"))
print(f"{target}: {len(lines)} lines")
