#!/usr/bin/env bash
# Bookmarks in the real program under Xvfb, with its own hive and temp folder: open a
# book whose path holds Cyrillic letters, blanks and " <", move, set a bookmark with
# Ctrl+F2, quit with Alt+X answering Yes to the offer and set another one, start again,
# Alt+F1, and check from outside that the reader is back on the marked line: a bookmark
# set right after the jump stores the status line, which then shows the marked line + 1.
set -euo pipefail
lirra=$1 genbook=$2 out=$3
mkdir -p "$out"
source "$(dirname "$0")/x_session.sh"
book="$work/Война и <мир> vol 1.txt"
"$genbook" 1 "$book"
caption="$book "   # one argument: the caption ends in one blank

activate() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; sleep 0.3; }
window() { timeout 10 xdotool search --all --sync --pid "$app" --name "$1" | head -n1; }
# The stored bookmark entries, one per line, as the hive holds them.
bookmarks() { sed -n '/\\BookMarks\]/,/^\[/p' "$LIRRA_REGISTRY" | grep '^"[0-9]' || true; }
ended() {
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# In a bookmark dialog the focus starts on "Exit"; Tab goes round to the list, then down
# the buttons: the first one, "Delete", "Clear", "Exit".
pressFirstButton() { xdotool key Tab Tab space; sleep 0.3; }
pressExitAfterFirst() { xdotool key Tab Tab Tab Return; sleep 0.3; }

# --- first run: mark line 41 with Ctrl+F2 --------------------------------------------
"$lirra" "$book" & app=$!; pids+=($app)
main=$(window "vol 1") || fail "no main window"
activate "$main"
xdotool key --delay 20 --repeat 40 Down
sleep 0.3
xdotool key ctrl+F2
set=$(window "^Set Book-Marks$") || fail "Ctrl+F2 showed no Set dialog"
pressFirstButton
import -window root "$out/bookmarks-set.png"
bookmarks | grep -qF "\"0\"=\"[$(date +%d.%m.%y)] $caption <41>\"" || fail "Set Book-Mark stored: $(bookmarks)"
pressExitAfterFirst
ended && fail "Exit in the dialog ended the program"
[ "$(bookmarks | wc -l)" = 1 ] || fail "one bookmark expected: $(bookmarks)"

# --- the offer at exit: Yes, then a second mark on line 61 -----------------------------
activate "$main"
xdotool key --delay 20 --repeat 20 Down
sleep 0.3
xdotool key alt+x
window "^Information$" >/dev/null || fail "Alt+X offered no bookmark"
import -window root "$out/bookmarks-exit-offer.png"
xdotool key Return   # Yes is the default button
set=$(window "^Set Book-Marks$") || fail "Yes showed no Set dialog"
activate "$set"
pressFirstButton
pressExitAfterFirst
ended || fail "the program did not end after the Set dialog"
wait "$app" || fail "the program exited with an error"
[ "$(bookmarks | wc -l)" = 2 ] || fail "two bookmarks expected: $(bookmarks)"
bookmarks | grep -qF "\"1\"=\"[$(date +%d.%m.%y)] $caption <61>\"" || fail "the offer stored: $(bookmarks)"

# --- second run: Alt+F1 goes back to line 61 -------------------------------------------
"$lirra" & app=$!; pids+=($app)
main=$(window "^Lirra Reader$") || fail "no idle main window"
activate "$main"
xdotool key alt+F1
for _ in $(seq 50); do [ "$(xdotool getwindowname "$main")" = "$caption" ] && break; sleep 0.1; done
[ "$(xdotool getwindowname "$main")" = "$caption" ] || fail "Alt+F1 left the caption '$(xdotool getwindowname "$main")'"
import -window root "$out/bookmarks-last.png"
xdotool key ctrl+F2
window "^Set Book-Marks$" >/dev/null || fail "Ctrl+F2 showed no Set dialog"
pressFirstButton
bookmarks | grep -qF "\"2\"=\"[$(date +%d.%m.%y)] $caption <62>\"" || fail "after Alt+F1 the status line is not on line 62: $(bookmarks)"
pressExitAfterFirst

# The window manager's close asks too; No ends the program at once.
activate "$main"
xdotool key alt+F4
window "^Information$" >/dev/null || fail "closing by the window manager offered no bookmark"
xdotool key alt+n
ended || fail "No did not end the program"
wait "$app" || fail "the program exited with an error"
[ "$(bookmarks | wc -l)" = 3 ] || fail "No stored a bookmark: $(bookmarks)"
echo "e2e bookmarks: 1 passed, 0 failed (screenshots in $out)"
