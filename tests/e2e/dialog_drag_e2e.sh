#!/usr/bin/env bash
# Every dialog with a gradient caption, dragged by its caption in a real X server with a
# window manager: each lands where the drag took it, opening after opening. Screenshots
# of the last drag of each go to OUT.
set -euo pipefail
lirra=$1 out=$2
mkdir -p "$out"
source "$(dirname "$0")/x_session.sh"
book="$work/drag.txt"
for i in $(seq 200); do printf 'line %d\r\n' "$i"; done > "$book"

"$lirra" "$book" & app=$!; pids+=($app)
main=$(timeout 20 xdotool search --all --sync --pid "$app" --name "drag.txt" | head -n1) || fail "no window"
activate() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; sleep 0.3; }
position() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}'; }
# The dialog's name, and the keys that open it from the main window: the menus' own
# keys where the item has none.
dialogs=(
  "^Goto...$|F5"
  "^Set Book-Marks$|ctrl+F2"
  "^Get Book-Marks$|ctrl+F1"
  "^Set Scroll Speed$|ctrl+F11"
  "^Enter Internet Adress...$|alt+i Up Up Return"
  "^Information$|alt+f Down Down Down Down Down Return"
)
# Each drag moves by its own step: a jump to "twice the position plus the drag" or back to
# the centre shows whatever the step.
steps=("40 30" "-60 25" "25 -45")
for entry in "${dialogs[@]}"; do
  name=${entry%%|*} keys=${entry#*|}
  for step in "${steps[@]}"; do
    read -r dx dy <<<"$step"
    activate "$main"
    # shellcheck disable=SC2086
    xdotool key --delay 80 $keys
    dialog=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$app" --name "$name" | head -n1) \
      || fail "$keys opened no '$name'"
    sleep 0.5
    read -r x y < <(position "$dialog")
    # Grasp the caption a little in from its left end, move in two steps, let go.
    xdotool mousemove $((x + 30)) $((y + 10)) mousedown 1
    sleep 0.3
    xdotool mousemove $((x + 30 + dx / 2)) $((y + 10 + dy / 2))
    sleep 0.2
    xdotool mousemove $((x + 30 + dx)) $((y + 10 + dy))
    sleep 0.3
    xdotool mouseup 1
    sleep 0.5
    read -r nx ny < <(position "$dialog")
    [ "$nx $ny" = "$((x + dx)) $((y + dy))" ] \
      || fail "'$name' dragged by $dx,$dy from $x,$y landed at $nx,$ny"
    import -window root "$out/drag-${name//[^A-Za-z]/}.png"
    xdotool key Escape
    for _ in $(seq 50); do xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable || break; sleep 0.1; done
  done
done
echo "e2e dialog drag: passed (screenshots in $out)"
