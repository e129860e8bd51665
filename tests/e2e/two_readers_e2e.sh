#!/usr/bin/env bash
# Two readers started together on different books, twenty times: each must show its own
# book, whole, under its own caption, although both keep their copy in the same lirra.tmp.
# What each view holds is read from outside, through the accessibility bus.
set -euo pipefail
lirra=$1 genbook=$2 out=$3
rounds=${4:-20}
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
source "$here/x_session.sh"
start_accessibility_bus

# make_book NAME HEADER MB: a generated DOS book that starts with a line of its own, and
# the SHA-1 of the text the view must hold (866 read as 1251, every line ended by CR LF).
make_book() {
  local book="$work/$1"
  printf '%s\r\n' "$2" > "$book"
  "$genbook" "$3" "$work/body.txt"
  cat "$work/body.txt" >> "$book"
  { cat "$book"; [ "$(tail -c 2 "$book" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || printf '\r\n'; } |
    iconv -f CP866 -t UTF-8 | sha1sum | cut -d' ' -f1
}
digest_a=$(make_book first.txt "The first book" 2)
digest_b=$(make_book second.txt "The second book" 3)

# check_reader PID BOOK DIGEST: the window captioned with BOOK shows that book whole.
check_reader() {
  local pid=$1 book="$work/$2" want=$3 name digest
  timeout 30 xdotool search --sync --pid "$pid" --name "/$2 \$" >/dev/null || fail "no window for $2"
  for _ in $(seq 50); do
    { IFS= read -r name; IFS= read -r digest; } < <(/usr/bin/python3 "$here/atspi_probe.py" "$pid" "$book " digest) &&
      break
    sleep 0.2
  done
  [ "${name:-}" = "$book " ] || fail "the view of $2 cannot be read"
  [ "$digest" = "$want" ] && return 0
  echo "round $round: the reader of $2 shows another text" >&2
  import -window root "$out/mixed-$round.png"
  mixed=$((mixed + 1))
}

mixed=0
for round in $(seq "$rounds"); do
  "$lirra" "$work/first.txt" 2>>"$work/stderr.txt" & a=$!
  "$lirra" "$work/second.txt" 2>>"$work/stderr.txt" & b=$!
  pids+=($a $b)
  check_reader "$a" first.txt "$digest_a"
  check_reader "$b" second.txt "$digest_b"
  [ "$round" = 1 ] && import -window root "$out/two-readers.png"
  kill -TERM "$a" "$b"
  wait "$a" || fail "the reader of first.txt did not end cleanly"
  wait "$b" || fail "the reader of second.txt did not end cleanly"
done
[ "$mixed" = 0 ] || fail "$mixed of $((2 * rounds)) loads showed another text"
[ ! -s "$work/stderr.txt" ] || fail "a reader wrote on stderr: $(head -c 300 "$work/stderr.txt")"
echo "e2e two readers: $((2 * rounds)) loads, each its own book"
