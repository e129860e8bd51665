#!/usr/bin/env bash
# A screen reader's view of the reader: in a session bus of its own with the accessibility
# bus running, the real program opens a generated DOS book under Xvfb; the status line and
# the caret's line of the book are read through the accessibility bus, before and after
# the caret moves.
set -euo pipefail
lirra=$1 genbook=$2 out=$3
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; import -window root "$out/accessibility-failure.png" 2>/dev/null || true; exit 1; }
# Reads the main window (captioned with the book's name and one blank) through the bus.
probe() {
  for _ in $(seq 50); do
    /usr/bin/python3 "$here/atspi_probe.py" "$app" "$book " "$@" && return 0
    sleep 0.2
  done
  return 1
}

display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & pids+=($!)
sleep 0.5

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export LIRRA_REGISTRY="$work/registry.reg" TMPDIR="$work/tmp"
mkdir -m 700 -p "$TMPDIR"
book="$work/Книга.txt"
"$genbook" 1 "$book"
# The book's lines as the reader shows them: 866 decoded, line ends dropped.
iconv -f CP866 -t UTF-8 "$book" | tr -d '\r' > "$work/lines.txt"

"$lirra" "$book" 2>/dev/null & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --sync --pid "$app" --name "Книга" | head -n1) || fail "no window"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"

status=$(probe status | tr '\n' ' ')
[[ "$status" == "Line: 1 Char: "*" 0% " ]] || fail "status line reads '$status'"
{ read -r name; read -r line; } < <(probe line)
[ "$name" = "$book " ] || fail "the book view is named '$name'"
[ "$line" = "$(sed -n 1p "$work/lines.txt")" ] || fail "line 1 reads '$line'"

# Three lines down: the status line and the caret's line follow.
xdotool key Down Down Down
sleep 0.3
status=$(probe status | tr '\n' ' ')
[[ "$status" == "Line: 4 Char: "* ]] || fail "after three lines down the status line reads '$status'"
{ read -r name; read -r line; } < <(probe line)
[ "$line" = "$(sed -n 4p "$work/lines.txt")" ] || fail "line 4 reads '$line'"
import -window root "$out/accessibility.png"
echo "e2e accessibility: 1 passed, 0 failed"
