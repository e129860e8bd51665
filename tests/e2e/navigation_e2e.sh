#!/usr/bin/env bash
# Moves through a generated book in the real program under Xvfb, as a reader would, and
# checks each move from outside through the clipboard: Goto by line and by percentage
# (then Shift+Home, Ctrl+C gives the line the caret is on), Ctrl+F find in mixed-case
# Cyrillic to "End of Searching!", a Goto with a text that is no number, and automatic
# scrolling, which must move the view and hold the screen saver off while it runs.
# Run it inside its own session bus: dbus-run-session -- bash navigation_e2e.sh ...
set -euo pipefail
lirra=$1 genbook=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
source "$here/x_session.sh"

saverLog="$work/screensaver.log"
/usr/bin/python3 "$here/fake_screensaver.py" "$saverLog" & pids+=($!)
for _ in $(seq 50); do [ -e "$saverLog" ] && break; sleep 0.1; done
book="$work/book.txt"
"$genbook" 2 "$book"
/usr/bin/python3 "$here/make_book.py" "$book" "$work/facts.txt"
lineCount=$(head -n1 "$work/facts.txt")
line() { sed -n "$(($1 + 1))p" "$work/facts.txt"; }   # the text of line N (1-based)

"$lirra" "$book" & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "book.txt" | head -n1) || fail "no window"
focusMain() { xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"; sleep 0.3; }
waitFor() { timeout 10 xdotool search --all --sync --onlyvisible --pid "$app" --name "$1" | head -n1; }
gone() { for _ in $(seq 50); do xdotool search --all --onlyvisible --pid "$app" --name "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done; return 1; }
# The clipboard after Ctrl+C in the book view.
copied() { xdotool key ctrl+c; sleep 0.3; xclip -o -selection clipboard 2>/dev/null || true; }
caretLine() { xdotool key shift+Home; sleep 0.2; copied; }
# Waits until window $1 has the focus.
active() { for _ in $(seq 50); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0; sleep 0.1; done; return 1; }
# A found occurrence gives the book view the focus: the main window comes to the front.
mainActive() { active "$wid"; }
focusMain

# Goto by line: F5, Tab to "Line...", the number, Enter.
xdotool key F5
dialog=$(waitFor '^Goto\.\.\.$') || fail "F5 shows no Goto dialog"
sleep 0.3
import -window root "$out/goto-dialog.png"
xdotool key Tab; xdotool type 7000; xdotool key Return
gone '^Goto\.\.\.$' || fail "Goto did not close"
[ "$(caretLine)" = "$(line 7000)" ] || fail "Goto line 7000 left the caret elsewhere"

# Goto by percentage, on a line that is not empty.
for percent in $(seq 50 99); do
  target=$(/usr/bin/python3 -c "
n, p = $lineCount, $percent
q, r = divmod(n * p, 100)
print(q + (1 if 2 * r > 100 or (2 * r == 100 and q % 2) else 0))")
  [ -n "$(line "$target")" ] && break
done
xdotool key F5; waitFor '^Goto\.\.\.$' >/dev/null || fail "no Goto dialog"
sleep 0.3; xdotool type "$percent"; xdotool key Return
gone '^Goto\.\.\.$' || fail "Goto did not close"
[ "$(caretLine)" = "$(line "$target")" ] || fail "Goto $percent% is not on line $target of $lineCount"

# Find from the start (no selection), whatever the case, then to the end.
xdotool key Right
xdotool key ctrl+f
finder=$(waitFor '^Find$') || fail "Ctrl+F shows no find dialog"
sleep 0.3
# Cyrillic text is pasted: xdotool types letters outside the keyboard map unreliably.
printf 'заГАДка' | xclip -selection clipboard
xdotool key ctrl+v
import -window root "$out/find-dialog.png"
xdotool key Return
mainActive || fail "the first find left the focus in the find dialog"
[ "$(copied)" = "Загадка" ] || fail "the first find did not select 'Загадка'"
import -window root "$out/found.png"
xdotool key ctrl+f
active "$finder" || fail "Ctrl+F did not bring the find dialog to the front"
xdotool key Return
mainActive || fail "the second find left the focus in the find dialog"
[ "$(copied)" = "ЗАГАДКА" ] || fail "the second find did not select 'ЗАГАДКА'"
xdotool key ctrl+f
active "$finder" || fail "Ctrl+F did not bring the find dialog to the front"
xdotool key Return
waitFor '^Lirra Reader v1\.01$' >/dev/null || fail "no 'End of Searching!' box"
sleep 0.3
import -window root "$out/end-of-searching.png"
xdotool key Return
gone '^Lirra Reader v1\.01$' || fail "the box did not close"
[ "$(copied)" = "ЗАГАДКА" ] || fail "'End of Searching!' changed the selection"
xdotool windowclose "$finder" 2>/dev/null || xdotool key Escape
focusMain

# A line that is no number: the error box, and the dialog stays with its texts.
xdotool key F5; waitFor '^Goto\.\.\.$' >/dev/null || fail "no Goto dialog"
sleep 0.3; xdotool key Tab; xdotool type 'abc'; xdotool key Return
waitFor '^Lirra Reader v1\.01$' >/dev/null || fail "no error box for 'abc'"
sleep 0.3
import -window root "$out/not-a-number.png"
xdotool key Return; sleep 0.3
xdotool search --all --onlyvisible --pid "$app" --name '^Goto\.\.\.$' >/dev/null || fail "the Goto dialog closed after the error"
xdotool key Escape
gone '^Goto\.\.\.$' || fail "Escape did not close the Goto dialog"
focusMain

# Automatic scrolling: "Scroll Text" waits for the speed dialog, then moves the view.
viewShot() { import -window "$wid" -crop 900x500+0+60 "$1"; }
viewShot "$work/before.png"
xdotool key F11; sleep 0.5
viewShot "$work/still.png"
[ "$(compare -metric AE "$work/before.png" "$work/still.png" null: 2>&1 || true)" = "0" ] || fail "F11 scrolled before the speed dialog was opened"
xdotool key ctrl+F11
waitFor '^Set Scroll Speed$' >/dev/null || fail "Ctrl+F11 shows no speed dialog"
sleep 0.3
import -window root "$out/speed-dialog.png"
xdotool key Return   # "Cancel" has the focus: the slowest speed, 50 ms
gone '^Set Scroll Speed$' || fail "the speed dialog did not close"
focusMain
xdotool key F11; sleep 1.5
grep -q "^Inhibit Lirra Reader v1.01 101$" "$saverLog" || fail "the screen saver was not held off while scrolling"
import -window root "$out/scrolling.png"
xdotool key F11; sleep 0.5
grep -q "^UnInhibit 101$" "$saverLog" || fail "the screen saver was not released when scrolling stopped"
viewShot "$work/after.png"
[ "$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)" != "0" ] || fail "the view did not scroll"
viewShot "$work/stopped.png"; sleep 0.5; viewShot "$work/stopped2.png"
[ "$(compare -metric AE "$work/stopped.png" "$work/stopped2.png" null: 2>&1 || true)" = "0" ] || fail "the view scrolls on after F11"

xdotool key alt+x
# With a book open the reader offers a bookmark first; No lets it end.
timeout 10 xdotool search --all --sync --pid "$app" --name "^Information$" >/dev/null && xdotool key alt+n
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Alt+X did not end the program"
wait "$app" || fail "the program exited with an error"
echo "e2e navigation: passed (screenshots in $out)"
