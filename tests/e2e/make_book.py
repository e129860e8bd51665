#!/usr/bin/python3
"""Prepares the navigation test's book: a generated DOS book with two lines that hold a
word found nowhere else, in two spellings. Writes the book back and prints, one per
line, facts the test checks against: the line count, then the UTF-8 text of every line."""
import sys

path, out = sys.argv[1], sys.argv[2]
lines = open(path, "rb").read().decode("cp866").split("\r\n")
if lines[-1] == "":
    lines.pop()
lines[6999] = "Тут спрятана Загадка для поиска"
lines[11999] = "ещё одна ЗАГАДКА, ближе к концу"
open(path, "wb").write(("\r\n".join(lines) + "\r\n").encode("cp866"))
with open(out, "w", encoding="utf-8") as facts:
    facts.write(f"{len(lines)}\n")
    for line in lines:
        facts.write(line + "\n")
