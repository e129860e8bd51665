#!/usr/bin/env bash
# A book large enough that its load is still running when the first page shows: through
# the accessibility bus, the status line is read with no percentage yet and the first
# line of the book in view; then the status line once the whole book is in.
set -euo pipefail
lirra=$1 genbook=$2 size_mb=$3 out=$4
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
source "$here/x_session.sh"
start_accessibility_bus
book="$work/big.txt"
"$genbook" 1 "$work/part.txt"   # made once, then repeated: a big book at the speed of the disk
for _ in $(seq "$size_mb"); do cat "$work/part.txt"; done > "$book"
first=$(head -c 4096 "$book" | iconv -f CP866 -t UTF-8 | tr -d '\r' | head -n1)

"$lirra" "$book" 2>/dev/null & app=$!; pids+=($app)
timeout 20 xdotool search --all --sync --pid "$app" --name "big.txt" >/dev/null || fail "no window"
status=$(probe status | tr '\n' ' ')
# After the open, the line number and column the re-anchoring left, and no percentage yet.
[[ "$status" == "Line: 1 Char: "*[0-9]"  " ]] || fail "while the book loads the status line reads '$status'"
{ IFS= read -r name; IFS= read -r line; } < <(probe line)
[ "$line" = "$first" ] || fail "the first page's line 1 reads '$line'"

for _ in $(seq 300); do
  status=$(probe status | tr '\n' ' ')
  [[ "$status" == "Line: 1 Char: "*[0-9]" 0% " ]] && break
  sleep 0.2
done
[[ "$status" == "Line: 1 Char: "*[0-9]" 0% " ]] || fail "once the book is in the status line reads '$status'"
# The book ends where its size says, perhaps inside a line: the copy ends that line.
[ "$(stat -c %s "$temp")" -ge "$(stat -c %s "$book")" ] || fail "the copy is not the whole book"
echo "e2e first page: 1 passed, 0 failed"
