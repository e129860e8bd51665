#!/usr/bin/env bash
# Starts the reader on a generated DOS book under Xvfb with its own hive and cache folder,
# and checks what a user would: the caption, the converted temporary copy, the restored
# window's frame, F12, the history, that Alt+X (declining the bookmark it offers) ends the
# program and removes the copy, and that nothing was printed on stderr (no desktop
# session: XDG_RUNTIME_DIR is unset).
set -euo pipefail
lirra=$1 genbook=$2 out=$3
mkdir -p "$out"
source "$(dirname "$0")/x_session.sh"
book="$work/e2e book.txt"
"$genbook" 1 "$book"

# The book named as one argument: the caption is the path with one trailing blank.
"$lirra" "$book" 2>"$work/stderr.txt" & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "e2e book" | head -n1) || fail "no window"
title=$(xdotool getwindowname "$wid")
[ "$title" = "$book " ] || fail "caption is '$title'"

# The temporary copy holds the book in code page 1251 with CR LF line ends.
[ -f "$temp" ] || fail "no lirra.tmp"
iconv -f CP866 -t CP1251 "$book" > "$work/expected.txt"
# The copy ends every line with CR LF, the last one too.
[ "$(tail -c 2 "$book" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || printf '\r\n' >> "$work/expected.txt"
cmp -s "$temp" "$work/expected.txt" || fail "lirra.tmp is not the 1251 text of the book"
grep -qF "\"0\"=\"$book \"" "$LIRRA_REGISTRY" || fail "History does not hold the book"

xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.5
import -window root "$out/main-window.png"

# Restored, the window's outer frame (title bar included) has the designed bounds.
outer_frame() {
  local x y w h left right top bottom
  read -r x y w h < <(xwininfo -id "$wid" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
                                                /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
  IFS=', ' read -r left right top bottom < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //')
  echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}
wmctrl -i -r "$wid" -b remove,maximized_vert,maximized_horz
for _ in $(seq 50); do [ "$(outer_frame)" = "30 16 561 340" ] && break; sleep 0.1; done
[ "$(outer_frame)" = "30 16 561 340" ] || fail "restored frame is $(outer_frame)"
import -window root "$out/restored-window.png"
wmctrl -i -r "$wid" -b add,maximized_vert,maximized_horz
sleep 0.3
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"

# F12 stores the look and says so in a box, closed with Enter.
xdotool key F12
timeout 10 xdotool search --all --sync --pid "$app" --name "^$("$lirra" --version)$" >/dev/null || fail "no 'Options was saved.' box"
import -window root "$out/options-saved.png"
xdotool key Return
sleep 0.3
grep -qF '"FontSize"=dword:0000000d' "$LIRRA_REGISTRY" || fail "F12 did not write FontSize"
grep -qF '"BGColor"=dword:005c5c5c' "$LIRRA_REGISTRY" || fail "F12 did not write BGColor"
grep -qF '"WordWrap"=dword:00000000' "$LIRRA_REGISTRY" || fail "F12 did not write WordWrap"

# Alt+X, with a book open, first offers a bookmark; No ends the program and removes the
# temporary copy.
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool key alt+x
timeout 10 xdotool search --all --sync --pid "$app" --name "^Information$" >/dev/null || fail "Alt+X offered no bookmark"
xdotool key alt+n
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Alt+X did not end the program"
wait "$app" || fail "the program exited with an error"
[ ! -e "$temp" ] || fail "lirra.tmp is still there"
[ ! -s "$work/stderr.txt" ] || fail "the program wrote on stderr: $(head -c 300 "$work/stderr.txt")"
echo "e2e: 1 passed, 0 failed (screenshots in $out)"
