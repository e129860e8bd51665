#!/usr/bin/env bash
# The clipboard window, the About box and the help in the real program under Xvfb: text,
# a picture and a colour put on the clipboard by another program (xclip) show in the open
# "View Clipboard" window, and so does a copy from the book; About opens with its credits
# running and closes on a click; F1 opens the help at its contents page. What the windows
# hold is read through the accessibility bus. Run inside its own session bus
# (dbus-run-session).
set -euo pipefail
lirra=$1 out=$2 sample=$3
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
source "$here/x_session.sh"
probe() { /usr/bin/python3 "$here/atspi_probe.py" "$app" "$@"; }
# Waits until a command succeeds, at most about ten seconds.
wait_for() { for _ in $(seq 50); do "$@" && return 0; sleep 0.2; done; return 1; }
shown_text_is() { [ "$(probe "View Clipboard" text "Clipboard text" 2>/dev/null)" = "$1" ]; }
# Puts FILE on the clipboard as TYPE; xclip holds it until the next owner takes over.
own_clipboard() { xclip -quiet -selection clipboard -t "$1" -i "$2" >/dev/null 2>&1 & owner=$!; pids+=($owner); }
start_accessibility_bus
sleep 1

"$lirra" "$sample" & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "sample-book" | head -n1) || fail "no main window"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.5

# Edit -> View ClipBoard (the last item of the menu).
xdotool key alt+e
sleep 0.3
xdotool key Up Return
timeout 10 xdotool search --all --sync --onlyvisible --pid "$app" --name "^View Clipboard$" >/dev/null || fail "no View Clipboard window"

# Text from another program shows at once.
printf 'Из буфера обмена\nвторая строка' >"$work/text"
own_clipboard UTF8_STRING "$work/text"
wait_for shown_text_is $'Из буфера обмена\nвторая строка' || fail "text from xclip not shown: '$(probe "View Clipboard" text "Clipboard text")'"
import -window root "$out/clipboard-text.png"

# A picture larger than the window, then a colour.
convert -size 600x400 gradient:'#2060c0'-'#f0d040' -fill white -draw "circle 300,200 300,120" "$work/picture.png"
own_clipboard image/png "$work/picture.png"
wait_for probe "View Clipboard" has "Clipboard picture" || fail "picture not shown"
import -window root "$out/clipboard-image.png"
# Four 16-bit channels, as the desktop's colour pickers copy a colour.
printf '\xff\xff\x00\x00\x80\x80\xff\xff' >"$work/colour"
own_clipboard application/x-color "$work/colour"
wait_for probe "View Clipboard" has "Clipboard colours" || fail "colours not shown"
import -window root "$out/clipboard-colour.png"

# The owner exits: the clipboard is empty and the viewer blank.
kill "$owner"
wait_for bash -c "! /usr/bin/python3 '$here/atspi_probe.py' $app 'View Clipboard' has 'Clipboard colours'" \
  || fail "the viewer still shows the colours of an owner that has gone"

# A copy in the book shows in the clipboard window.
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
xdotool key ctrl+a ctrl+c
first_line=$(head -n1 "$sample" | iconv -f CP866 -t UTF-8 | tr -d '\r')
wait_for bash -c "/usr/bin/python3 '$here/atspi_probe.py' $app 'View Clipboard' text 'Clipboard text' | head -n1 | grep -qxF -- '$first_line'" \
  || fail "the book's copy is not shown"

# Help -> About! (the last item): the credits run; a click on the picture closes it.
xdotool windowactivate --sync "$wid" 2>/dev/null || true
xdotool key alt+h
sleep 0.3
xdotool key Up Return
about=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$app" --name "^About Lirra Reader 1.01 SE$" | head -n1) \
  || fail "no About box"
sleep 2.5
import -window root "$out/about.png"
eval "$(xdotool getwindowgeometry --shell "$about")"
[ "$WIDTH" = 398 ] && [ "$HEIGHT" = 249 ] || fail "About box is ${WIDTH}x$HEIGHT"
xdotool mousemove $((X + 60)) $((Y + 60)) click 1
wait_for bash -c "! xdotool search --all --onlyvisible --pid $app --name '^About Lirra Reader' >/dev/null" \
  || fail "a click on the picture did not close the About box"

# F1: the help at its contents page, from the help pages copied into the build tree.
xdotool windowactivate --sync "$wid" 2>/dev/null || true
xdotool key F1
timeout 10 xdotool search --all --sync --onlyvisible --pid "$app" --name "^Lirra Reader Help - Contents$" >/dev/null \
  || fail "F1 did not open the help's contents"
sleep 0.5
import -window root "$out/help.png"
contents=$(probe "Lirra Reader Help - Contents" text "Help page") || fail "no help page to read"
[[ $contents == *"First steps"* ]] || fail "the contents page is not shown"

xdotool windowactivate --sync "$wid" 2>/dev/null || true
xdotool key alt+x
# With a book open the reader offers a bookmark first; No lets it end.
timeout 10 xdotool search --all --sync --pid "$app" --name "^Information$" >/dev/null && xdotool key alt+n
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Alt+X did not end the program"
wait "$app" || fail "the program exited with an error"
echo "e2e extras: passed (screenshots in $out)"
