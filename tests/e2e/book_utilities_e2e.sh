#!/usr/bin/env bash
# The book utilities in the real window under Xvfb: Ctrl+W re-reads a Windows 1251 book
# into lirra.tmp, "Information" shows for the open book, and "Other Adress" stores a typed
# address and hands it, unchanged, to a stand-in xdg-open.
set -euo pipefail
lirra=$1 out=$2
mkdir -p "$out"
source "$(dirname "$0")/x_session.sh"
export HOME="$work/home"
mkdir -m 700 -p "$HOME"

# The stand-in xdg-open keeps the one argument it was given.
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s" "$#" > "%s/launch.count"\nprintf "%%s" "$1" > "%s/launch.part"\nmv "%s/launch.part" "%s/launch"\n' \
  "$work" "$work" "$work" "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

# A book in Windows 1251; read as DOS text it shows the wrong letters until Ctrl+W.
book="$work/windows book.txt"
printf 'Привет, мир!\r\nСтрока «два» – с кавычками\r\nЁлка и ёж\r\n' | iconv -f UTF-8 -t CP1251 > "$book"
# What 866 cannot hold comes back as its stand-in: guillemets as < >, the dash as -.
printf 'Привет, мир!\r\nСтрока <два> - с кавычками\r\nЁлка и ёж\r\n' | iconv -f UTF-8 -t CP1251 > "$work/expected.txt"

"$lirra" "$book" & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "windows book" | head -n1) || fail "no window"
activate() { xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"; sleep 0.3; }
activate
cmp -s "$temp" "$work/expected.txt" && fail "lirra.tmp holds the Windows text before Ctrl+W"
xdotool key ctrl+w
for _ in $(seq 50); do cmp -s "$temp" "$work/expected.txt" && break; sleep 0.1; done
cmp -s "$temp" "$work/expected.txt" || fail "after Ctrl+W lirra.tmp is not the book's 1251 text"
sleep 0.3
import -window root "$out/converted.png"

# "Information": the sixth item of the Files menu.
xdotool key alt+f; sleep 0.3
xdotool key Down Down Down Down Down Return
info=$(timeout 10 xdotool search --all --sync --pid "$app" --name '^Information$' | head -n1) || fail "no Information dialog"
sleep 0.3
import -window root "$out/information.png"
xdotool windowactivate --sync "$info" 2>/dev/null || xdotool windowfocus --sync "$info"
xdotool key Return   # "Close" has the focus
for _ in $(seq 50); do xdotool search --all --onlyvisible --pid "$app" --name '^Information$' >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --all --onlyvisible --pid "$app" --name '^Information$' >/dev/null 2>&1 && fail "Close did not close Information"

# "Other Adress": the thirteenth item of the Internet menu ("User's URL" is disabled).
activate
xdotool key alt+i; sleep 0.3
xdotool key Down Down Down Down Down Down Down Down Down Down Down Down Return
timeout 10 xdotool search --all --sync --pid "$app" --name '^Enter Internet Adress\.\.\.$' >/dev/null || fail "no address dialog"
sleep 0.3
address='http://example.org/a b?q="x";$(touch '"$work"'/ran) `id`'
xdotool key Tab            # from "Cancel" to the address
xdotool type --delay 30 "$address"
sleep 0.2
import -window root "$out/address.png"
xdotool key Return
for _ in $(seq 100); do [ -f "$work/launch" ] && break; sleep 0.1; done
[ -f "$work/launch" ] || fail "xdg-open was not started"
[ "$(cat "$work/launch.count")" = 1 ] || fail "xdg-open got $(cat "$work/launch.count") arguments"
[ "$(cat "$work/launch")" = "$address" ] || fail "xdg-open got '$(cat "$work/launch")'"
[ ! -e "$work/ran" ] || fail "the address ran as a command"
grep -qF '[HKEY_CURRENT_USER\Software\Lirra Reader\InterNet]' "$LIRRA_REGISTRY" || fail "no InterNet key"
grep -qF '"Count"=dword:00000000' "$LIRRA_REGISTRY" || fail "InterNet holds no Count 0"

activate
xdotool key alt+x
# With a book open the reader offers a bookmark first; No lets it end.
timeout 10 xdotool search --all --sync --pid "$app" --name "^Information$" >/dev/null && xdotool key alt+n
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Alt+X did not end the program"
wait "$app" || fail "the program exited with an error"
echo "e2e: book utilities passed (screenshots in $out)"
