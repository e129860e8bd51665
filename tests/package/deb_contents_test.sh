#!/usr/bin/env bash
# Builds the Debian package from this build tree and unpacks it (dpkg-deb -x) into a scratch
# root, never the system: checks what it holds, validates the desktop entry, the software-centre
# listing and the manual page, checks that the icons are the SVG's renderings and that the
# desktop's "Open with" can choose the reader, then runs the unpacked program on the sample book
# in a real window and keeps a screenshot (docs/screenshot.png is one).
set -euo pipefail
cpack=$1 build=$2 out=$3
mkdir -p "$out"
source "$(dirname "$0")/../e2e/x_session.sh"

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" >/dev/null 2>&1 || fail "cpack failed"
deb=$(ls "$work"/cpack/lirra-reader_*.deb)
root="$work/root" share="$work/root/usr/share"
dpkg-deb -x "$deb" "$root"

# Everything lives under /usr, and nothing is missing.
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -vE '^\./(usr/.*)?$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
for f in bin/lirra share/applications/org.lirra.Reader.desktop share/metainfo/org.lirra.Reader.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.lirra.Reader.svg share/man/man1/lirra.1.gz \
         share/lirra-reader/help/index.html share/lirra-reader/sample/sample-book.txt \
         share/doc/lirra-reader/copyright share/doc/lirra-reader/changelog.Debian.gz; do
  [ -f "$root/usr/$f" ] || fail "the package has no /usr/$f"
done

# Dependencies come from the program's libraries; the changelog's newest entry is this version.
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks the toolkit: $(dpkg-deb -f "$deb" Depends)"
version=$(dpkg-deb -f "$deb" Version)
gunzip -c "$share/doc/lirra-reader/changelog.Debian.gz" > "$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] || fail "changelog is not at $version"
[ "$("$root/usr/bin/lirra" --version)" = "Lirra Reader v${version%-*}" ] || fail "--version: $("$root/usr/bin/lirra" --version)"

# Each hicolor size is the SVG drawn at that size.
for size in 16 22 24 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/org.lirra.Reader.png"
  rsvg-convert -w "$size" -h "$size" "$share/icons/hicolor/scalable/apps/org.lirra.Reader.svg" -o "$work/icon.png"
  [ "$(identify -format %wx%h "$png")" = "${size}x${size}" ] || fail "$png is $(identify -format %wx%h "$png")"
  differ=$(compare -metric AE -fuzz 3% "$png" "$work/icon.png" null: 2>&1 || true)
  [ "$differ" = 0 ] || fail "the ${size} px icon is not the SVG's ($differ pixels differ): run tools/make-icons.sh"
done

desktop-file-validate "$share/applications/org.lirra.Reader.desktop" || fail "desktop-file-validate"
# validate-tree checks the listing and that its launchable is an entry of the package.
appstreamcli validate-tree --pedantic --no-net "$root" >"$work/as.txt" ||
  fail "appstreamcli: $(cat "$work/as.txt")"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/lirra.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man --warnings: $warnings"
MANPATH="$share/man" man -w lirra | grep -qx "$share/man/man1/lirra.1.gz" || fail "man lirra does not find the page"

# "Open with": the desktop database offers the reader for each kind of book it declares,
# and the user can make it the default over another program (xdg-mime honours a default only
# when the entry's program is on PATH).
(
  export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_DATA_DIRS="$share" XDG_CONFIG_DIRS="$work/config"
  export PATH="$root/usr/bin:$PATH"
  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
  mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
  printf '[Desktop Entry]\nType=Application\nName=Other\nExec=other %%f\nMimeType=text/plain;\n' \
    > "$XDG_DATA_HOME/applications/other.desktop"
  printf '[Default Applications]\ntext/plain=other.desktop\n' > "$XDG_CONFIG_HOME/mimeapps.list"
  update-desktop-database "$XDG_DATA_HOME/applications" "$share/applications"
  for type in application/rtf text/rtf application/x-fictionbook+xml text/plain application/pdf; do
    case $type in text/plain) want=other.desktop ;; application/pdf) want= ;; *) want=org.lirra.Reader.desktop ;; esac
    [ "$(xdg-mime query default "$type")" = "$want" ] || fail "$type opens with '$(xdg-mime query default "$type")'"
  done
  xdg-mime default org.lirra.Reader.desktop text/plain
  [ "$(xdg-mime query default text/plain)" = org.lirra.Reader.desktop ] || fail "xdg-mime default did not choose the reader"
)

# The unpacked program shows the sample book in a real window.
sample="$share/lirra-reader/sample/sample-book.txt"
"$root/usr/bin/lirra" "$sample" 2>"$work/stderr.txt" & app=$!; pids+=($app)
wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "sample-book" | head -n1) || fail "no window"
[ "$(xdotool getwindowname "$wid")" = "$sample " ] || fail "caption is '$(xdotool getwindowname "$wid")'"
# A software centre wants a wide screenshot.
width() { xwininfo -id "$wid" | awk '/Width:/{print $NF}'; }
wmctrl -i -r "$wid" -b remove,maximized_vert,maximized_horz
for _ in $(seq 50); do [ "$(width)" -lt 1000 ] && break; sleep 0.1; done
for _ in $(seq 50); do wmctrl -i -r "$wid" -e 0,0,0,960,600; sleep 0.1; [ "$(width)" = 960 ] && break; done
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.5
import -window "$wid" "$out/screenshot.png"
kill "$app"; wait "$app" || fail "the reader did not end cleanly on SIGTERM"
[ ! -s "$work/stderr.txt" ] || fail "stderr: $(cat "$work/stderr.txt")"
