#!/usr/bin/env bash
# The reader's look and window in a real X server with a real notification area
# (trayer): a theme and word wrap stored by F12 and found again after a restart, full
# screen and back, hiding to the tray and coming back by a click on the icon, and the
# tray menu's Exit. Screenshots of each step go to OUT.
set -euo pipefail
lirra=$1 out=$2
mkdir -p "$out"
source "$(dirname "$0")/x_session.sh"
shot() { sleep 0.5; import -window root "$out/$1.png"; }
# Icons keep their own size (--expand false); without it trayer gives a late icon one pixel.
trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 --transparent false \
       --expand false >/dev/null 2>&1 & pids+=($!)
sleep 1
# One line far wider than the screen, then empty lines: only word wrap puts text on the
# rows below the first.
book="$work/wide.txt"
{ for _ in $(seq 300); do printf 'word '; done; printf '\r\n\r\n\r\n\r\n\r\n'; } > "$book"

app=""
# Keys go to the focused window: after a box or a dialog closes, the window manager gives
# the focus back to the main window only a moment later, and a key sent before is lost.
focus_main() {
  for _ in $(seq 50); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$wid" ] && return; sleep 0.1; done
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
}
start() {
  "$lirra" "$book" & app=$!; pids+=($app)
  wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "wide.txt" | head -n1) || fail "no window"
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
  sleep 1
}
# Whether the rows below the first line of the view hold any text (the view is dark).
rows_below_have_text() {
  import -window root "$work/rows.png"
  local brightest
  brightest=$(convert "$work/rows.png" -crop 600x60+10+100 +repage -colorspace Gray -format '%[fx:maxima]' info:)
  awk -v b="$brightest" 'BEGIN { exit !(b > 0.3) }'
}
stored() { grep -qF "\"$1\"=dword:$2" "$LIRRA_REGISTRY"; }
save_options() {
  xdotool key F12
  timeout 10 xdotool search --all --sync --pid "$app" --name "^Lirra Reader v1.01$" >/dev/null || fail "no 'Options was saved.' box"
  xdotool key Return
  focus_main
}
# Options menu, "Color Themes" (the seventh item), then the theme at index $1.
theme() {
  xdotool key alt+o
  sleep 0.3
  xdotool key --delay 60 Down Down Down Down Down Down Right
  sleep 0.3
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
}
frame() { xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //'; }
geometry() { xwininfo -id "$wid" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print x","y" "w"x"h}'; }
mapped() { xwininfo -id "$wid" | grep -q 'IsViewable'; }
# The program's one visible window while the main window is hidden: its tray icon.
tray_icon() { { xdotool search --all --onlyvisible --pid "$app" --class lirra 2>/dev/null || true; } | grep -vx "$wid" | head -n1; }
click_icon() {
  local icon=$1 button=$2
  eval "$(xdotool getwindowgeometry --shell "$icon")"
  xdotool mousemove --window "$icon" $((WIDTH / 2)) $((HEIGHT / 2)) click "$button"
}

start
theme 6   # "Light"
shot theme-light
theme 5   # "Dark"
shot theme-dark
save_options
stored FontColor 00bcbcbc || fail "the theme's text colour was not stored"
stored BGColor 00000000 || fail "the theme's background was not stored"
rows_below_have_text && fail "text below the first row before word wrap"

xdotool key F4
timeout 10 xdotool search --all --sync --pid "$app" --name "^Fonts$" >/dev/null || fail "F4 did not open Fonts"
shot fonts-dialog
xdotool key Escape
focus_main

xdotool key F2
sleep 0.5
rows_below_have_text || fail "F2 did not wrap the long line"
save_options
stored WordWrap 00000001 || fail "F2 then F12 did not store WordWrap 1"

# Full screen covers the screen without a frame, twice, and comes back framed.
for round in 1 2; do
  focus_main
  xdotool key alt+Return
  sleep 1.5
  [ "$(frame)" = "0, 0, 0, 0" ] || fail "full screen $round has a frame: $(frame)"
  [ "$(geometry)" = "0,0 1280x1024" ] || fail "full screen $round is $(geometry)"
  [ $round = 1 ] && shot full-screen
  focus_main
  xdotool key alt+Return
  sleep 1.5
  [ "$(frame)" != "0, 0, 0, 0" ] || fail "no frame after full screen $round"
  xprop -id "$wid" _NET_WM_STATE | grep -q MAXIMIZED_VERT || fail "not maximised after full screen $round"
done
shot framed-again

# Hidden to the tray from full screen, back by a left click on the icon.
focus_main
xdotool key alt+Return
sleep 1.5
focus_main
xdotool key ctrl+F12
sleep 1.5
mapped && fail "Ctrl+F12 left the window on the screen"
icon=$(tray_icon)
[ -n "$icon" ] || fail "no icon in the notification area"
shot tray-icon
click_icon "$icon" 3
sleep 1
shot tray-menu
xdotool key Escape
sleep 0.5
mapped && fail "the right button brought the window back"
click_icon "$icon" 1
sleep 1.5
mapped || fail "a click on the icon did not bring the window back"
[ -z "$(tray_icon)" ] || fail "the icon stayed after the window came back"
[ "$(frame)" = "0, 0, 0, 0" ] || fail "the window came back out of full screen"
focus_main
xdotool key alt+Return
sleep 1

# Alt+X, and a restart starts wrapped and dark.
focus_main
xdotool key alt+x
# With a book open the reader offers a bookmark first; No lets it end.
timeout 10 xdotool search --all --sync --pid "$app" --name "^Information$" >/dev/null && xdotool key alt+n
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Alt+X did not end the program"
start
rows_below_have_text || fail "the restart did not start wrapped"
shot restarted-wrapped

# The tray menu's Exit ends the program while it is hidden.
focus_main
xdotool key ctrl+F12
sleep 1.5
icon=$(tray_icon)
[ -n "$icon" ] || fail "no icon for the tray menu"
click_icon "$icon" 3
sleep 1
xdotool key Down Down Return
# The book is open, so the reader offers a bookmark first, even from the tray; No lets it end.
timeout 10 xdotool search --all --sync --pid "$app" --name "^Information$" >/dev/null || fail "the tray's Exit offered no bookmark"
xdotool key alt+n
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the tray menu's Exit did not end the program"
wait "$app" || fail "the program exited with an error"
echo "e2e look: passed (screenshots in $out)"
