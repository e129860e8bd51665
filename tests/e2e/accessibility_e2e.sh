#!/usr/bin/env bash
# A screen reader's view of the reader: in a session bus of its own with the accessibility
# bus running, the real program opens a generated DOS book under Xvfb; the status line and
# the caret's line of the book are read through the accessibility bus, before and after
# the caret moves.
set -euo pipefail
lirra=$1 genbook=$2 out=$3
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
source "$here/x_session.sh"
start_accessibility_bus
book="$work/Книга.txt"
"$genbook" 1 "$book"
# The book's lines as the reader shows them: 866 decoded, line ends dropped.
iconv -f CP866 -t UTF-8 "$book" | tr -d '\r' > "$work/lines.txt"

"$lirra" "$book" 2>/dev/null & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "Книга" | head -n1) || fail "no window"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"

status=$(probe status | tr '\n' ' ')
[[ "$status" == "Line: 1 Char: "*" 0% " ]] || fail "status line reads '$status'"
{ IFS= read -r name; IFS= read -r line; } < <(probe line)
[ "$name" = "$book " ] || fail "the book view is named '$name'"
[ "$line" = "$(sed -n 1p "$work/lines.txt")" ] || fail "line 1 reads '$line'"

# Three lines down: the status line and the caret's line follow.
xdotool key Down Down Down
sleep 0.3
status=$(probe status | tr '\n' ' ')
[[ "$status" == "Line: 4 Char: "* ]] || fail "after three lines down the status line reads '$status'"
{ IFS= read -r name; IFS= read -r line; } < <(probe line)
[ "$line" = "$(sed -n 4p "$work/lines.txt")" ] || fail "line 4 reads '$line'"
import -window root "$out/accessibility.png"
echo "e2e accessibility: 1 passed, 0 failed"
