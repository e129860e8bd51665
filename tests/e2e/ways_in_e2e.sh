#!/usr/bin/env bash
# Every way a book comes in (command line, Open Book, Open RTF Book, a drop, History, the
# bookmarks) for every kind of book and of file name, in one real reader under Xvfb read
# through the accessibility bus: the table of cases is in ways_in_e2e.py.
set -euo pipefail
lirra=$1 genbook=$2 sample=$3 word=$4 out=$5
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
source "$here/x_session.sh"
start_accessibility_bus
"$genbook" 0.01 "$work/dos.txt"
for name in book Книга $'\x8a\xad\xa8\xa3\xa0' "two  blanks" "war <and> peace"; do
  cp "$work/dos.txt" "$work/$name dos.txt"
  cp "$sample" "$work/$name sample.rtf"
  cp "$word" "$work/$name word.rtf"
  : > "$work/$name empty.txt"
done
/usr/bin/python3 "$here/ways_in_e2e.py" "$lirra" "$work" "$out"
[ ! -s "$work/stderr.txt" ] || fail "the reader wrote on stderr: $(head -c 600 "$work/stderr.txt")"
