#!/usr/bin/env bash
# Window modes in a real X server with a window manager: full screen leaves a line that
# was in view where it was; without a notification area Ctrl+F12 minimises every window
# of the program; a window once minimised that way and restored from outside still hides
# in the tray and comes back by a click on its icon once a tray has started. A narrow
# message box shows its whole title. Screenshots of each step go to OUT.
set -euo pipefail
lirra=$1 out=$2
mkdir -p "$out"
source "$(dirname "$0")/x_session.sh"
shot() { sleep 0.5; import -window root "$out/$1.png"; }
book="$work/modes.txt"
for i in $(seq 200); do printf 'line %d\r\n' "$i"; done > "$book"

"$lirra" "$book" & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "modes.txt" | head -n1) || fail "no window"
activate() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; sleep 0.5; }
window() { timeout 10 xdotool search --all --sync --onlyvisible --pid "$app" --name "$1" | head -n1; }
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
mapped() { xwininfo -id "$1" | grep -q IsViewable; }
bookmarks() { sed -n '/\\BookMarks\]/,/^\[/p' "$LIRRA_REGISTRY" | grep '^"[0-9]' || true; }
activate "$wid"

# The caret on line 40 with lines 1 to 40 and more in view; full screen keeps line 1 on
# top. A click on the view's first row puts the caret there, and a bookmark stores it.
xdotool key --delay 20 --repeat 39 Down
xdotool key alt+Return
sleep 1.5
shot full-screen
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + 40)) $((Y + 30)) click 1
xdotool key ctrl+F2
window "^Set Book-Marks$" >/dev/null || fail "Ctrl+F2 showed no Set dialog"
xdotool key Tab Tab space
sleep 0.3
bookmarks | grep -q ' <1>"$' || fail "full screen moved line 1 off the top: $(bookmarks)"
xdotool key Escape
activate "$wid"
xdotool key alt+Return
sleep 1.5

# A narrow box: the window manager shows the whole title.
xdotool key ctrl+f
find=$(window "^Find$") || fail "Ctrl+F opened no find dialog"
xdotool type zzzz
xdotool key Return
box=$(window "^Lirra Reader v1.01$") || fail "no 'End of Searching!' box"
shot end-of-searching
xdotool key Return
sleep 0.3
xdotool key Escape
activate "$wid"

# No notification area: Ctrl+F12 minimises the main window and "View ClipBoard" alike.
xdotool key --delay 100 alt+e Up Return
clip=$(window "^View Clipboard$") || fail "no clipboard window"
activate "$wid"
xdotool key ctrl+F12
sleep 1.5
shot no-tray
[ "$(wm_state "$wid")" = Iconic ] || fail "the main window is '$(wm_state "$wid")' after Ctrl+F12 without a tray"
[ "$(wm_state "$clip")" = Iconic ] || fail "the clipboard window stayed on screen: '$(wm_state "$clip")'"

# Restored from outside; then a tray starts, Ctrl+F12 hides, a click on the icon restores.
activate "$wid"
[ "$(wm_state "$wid")" = Normal ] || fail "the window manager did not restore the window"
trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 --transparent false \
       --expand false >/dev/null 2>&1 & pids+=($!)
sleep 1.5
activate "$wid"
xdotool key ctrl+F12
sleep 1.5
mapped "$wid" && fail "Ctrl+F12 with a tray left the window on the screen"
icon=$({ xdotool search --all --onlyvisible --pid "$app" --class lirra 2>/dev/null || true; } | grep -vx "$wid" | head -n1)
[ -n "$icon" ] || fail "no icon in the notification area"
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove --window "$icon" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
sleep 1.5
shot back-from-tray
wid=$(timeout 10 xdotool search --all --onlyvisible --pid "$app" --name "modes.txt" | head -n1) || fail "the window did not come back"
[ "$(wm_state "$wid")" = Normal ] || fail "the window came back '$(wm_state "$wid")'"
echo "e2e window modes: passed (screenshots in $out)"
