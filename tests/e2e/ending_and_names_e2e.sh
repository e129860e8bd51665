#!/usr/bin/env bash
# The real program ended by a logout, kill or Ctrl+C (SIGHUP, SIGTERM, SIGINT): it ends as
# "Exit" ends it, with status 0 and its temporary copy removed, also from a start-up box. And book names reach the
# file system as they are: "-reverse" names a book (the toolkit takes no option from the
# command line), and a file named in CP866, as old archives name them, opens and is
# shown decoded.
set -euo pipefail
lirra=$1 genbook=$2 out=$3
mkdir -p "$out"
source "$(dirname "$0")/x_session.sh"

"$genbook" 0.1 "$work/book.txt"
iconv -f CP866 -t CP1251 "$work/book.txt" > "$work/expected.txt"
# The copy ends every line with CR LF, the last one too.
[ "$(tail -c 2 "$work/book.txt" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || printf '\r\n' >> "$work/expected.txt"

# start_reader TITLE ARGS...: starts the reader in $work and waits for its window and copy.
start_reader() {
  local title=$1; shift
  (cd "$work" && exec "$lirra" "$@") 2>>"$work/stderr.txt" & app=$!; pids+=($app)
  wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "$title" | head -n1) || fail "no window '$title'"
  for _ in $(seq 50); do [ -f "$temp" ] && break; sleep 0.1; done
  cmp -s "$temp" "$work/expected.txt" || fail "'$title' does not hold the 1251 text of the book"
}
# end_reader SIGNAL: the program ends at once, as Exit ends it, with its copy removed.
end_reader() {
  kill "-$1" "$app"
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "SIG$1 did not end the program"
  local status=0
  wait "$app" || status=$?
  [ "$status" = 0 ] || fail "the program ended by SIG$1 with status $status"
  [ ! -e "$temp" ] || fail "lirra.tmp is still there after SIG$1"
}

cp "$work/book.txt" "$work/-reverse"
start_reader "^-reverse $" -reverse
end_reader TERM

cyrillic="$work/"$'\x8f\xe0\xa8\xa2\xa5\xe2'".txt"
cp "$work/book.txt" "$cyrillic"
start_reader "/Привет.txt $" "$cyrillic"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.5
import -window root "$out/cp866-name.png"
end_reader INT

start_reader "/book.txt $" "$work/book.txt"
end_reader HUP

# A signal while a start-up box is up ends the program all the same: "File not found.",
# or a settings file that is a named pipe (refused at once, never waited on) and then that.
mkfifo "$work/pipe.reg"
for run in "TERM $LIRRA_REGISTRY" "INT $work/pipe.reg"; do
  set -- $run
  (cd "$work" && LIRRA_REGISTRY=$2 exec "$lirra" "$work/missing.txt") 2>>"$work/stderr.txt" & app=$!; pids+=($app)
  timeout 20 xdotool search --sync --onlyvisible --pid "$app" --name "^Lirra Reader v" >/dev/null \
    || fail "no start-up box with settings $2"
  end_reader "$1"
done
[ -p "$work/pipe.reg" ] || fail "the named pipe given as settings file is gone"

[ ! -s "$work/stderr.txt" ] || fail "the program wrote on stderr: $(head -c 300 "$work/stderr.txt")"
echo "e2e: 1 passed, 0 failed (screenshots in $out)"
