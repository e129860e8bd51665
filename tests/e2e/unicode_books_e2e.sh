#!/usr/bin/env bash
# Today's books in the real window: UTF-8 with and without a mark, UTF-16 and FictionBook
# (one of them named .txt, so it is known by its content) are opened from the command
# line, and each view's whole text, read through the accessibility bus, must be exactly
# the book's: every character kept, the lines ended as the reader ends them.
set -euo pipefail
lirra=$1 data=$2 out=$3
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
source "$here/x_session.sh"
start_accessibility_bus

# expected_digest FILE: the SHA-1 of the text the view must hold. Text books: decoded,
# their mark dropped, a lone CR ended as CR LF, a last line end added. FictionBooks: the
# text kept beside them.
expected_digest() {
  /usr/bin/python3 - "$1" <<'PY'
import hashlib, re, sys
name = sys.argv[1]
raw = open(name, "rb").read()
if name.endswith(".fb2"):
    text = open(name + ".txt", "rb").read().decode("utf-8")
else:
    text = raw.decode("utf-16" if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else "utf-8-sig")
    text = re.sub("\r(?!\n)", "\r\n", text)
    text += "" if text.endswith("\r\n") else "\r\n"
print(hashlib.sha1(text.encode("utf-8", "surrogatepass")).hexdigest())
PY
}

# check BOOK NAME: the reader started on a copy of BOOK named NAME shows BOOK's text.
check() {
  local book="$work/$2" want name digest pid
  cp "$data/$1" "$book"
  want=$(expected_digest "$data/$1")
  "$lirra" "$book" 2>>"$work/stderr.txt" & pid=$!; pids+=($pid)
  timeout 30 xdotool search --sync --pid "$pid" --name "/$2 \$" >/dev/null || fail "no window for $2"
  for _ in $(seq 50); do
    { IFS= read -r name; IFS= read -r digest; } < <(/usr/bin/python3 "$here/atspi_probe.py" "$pid" "$book " digest) &&
      [ "$digest" = "$want" ] && break
    sleep 0.2
  done
  [ "${name:-}" = "$book " ] || fail "the view of $2 cannot be read"
  [ "$digest" = "$want" ] || fail "$2 shows another text"
  kill "$pid"
}

check utf8.txt "utf8.txt"
check utf8-bom.txt "utf8-bom.txt"
check utf16le.txt "utf16le.txt"
check every-element.fb2 "every-element.fb2"
check converter.fb2 "Метель.txt"
echo "e2e unicode books: 5 passed, 0 failed"
