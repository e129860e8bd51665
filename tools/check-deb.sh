#!/usr/bin/env bash
# The Debian package's real round trip, on a machine of its own (CI, as root): builds it with
# tools/make-deb.sh, runs lintian (any error fails), installs it with apt-get, opens the
# installed sample book in a real window from the installed menu entry's command, and removes
# the package, checking that no file of it is left behind. Prints the lintian output and the
# package's size. It installs system-wide, so ./test.sh never runs it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
[ "$(id -u)" -eq 0 ] || { echo "check-deb.sh installs a package: run it as root" >&2; exit 1; }
if dpkg-query -W -f='${Status}' lirra-reader 2>/dev/null | grep -q installed; then
  echo "lirra-reader is installed already; check-deb.sh will not touch it" >&2
  exit 1
fi

deb=$("$here/tools/make-deb.sh")
echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "== Depends: $(dpkg-deb -f "$deb" Depends)"
echo "== lintian:"
lintian --fail-on error "$deb" || { echo "lintian reports errors" >&2; exit 1; }

out="$here/build/package/check"
mkdir -p "$out"
snapshot() { find /usr /etc /opt -xdev \( -name mimeinfo.cache -o -name icon-theme.cache \) -prune -o -print | sort; }
snapshot > "$out/before.txt"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
trap 'apt-get purge -y -qq lirra-reader >/dev/null 2>&1 || true' EXIT

# The command the installed menu entry runs, with the installed sample book for %f.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.lirra.Reader.desktop)
sample=/usr/share/lirra-reader/sample/sample-book.txt
[ "$(command -v "${exec_line%% *}")" = /usr/bin/lirra ] || { echo "Exec=$exec_line is not the installed program" >&2; exit 1; }
man -w lirra >/dev/null
(
  source "$here/tests/e2e/x_session.sh"
  ${exec_line/\%f/$sample} 2>"$work/stderr.txt" & app=$!; pids+=($app)
  wid=$(timeout 20 xdotool search --all --sync --pid "$app" --name "sample-book" | head -n1) || fail "no window"
  [ "$(xdotool getwindowname "$wid")" = "$sample " ] || fail "caption is '$(xdotool getwindowname "$wid")'"
  import -window root "$out/installed.png"
  kill "$app"; wait "$app" || fail "the installed reader did not end cleanly"
  [ ! -s "$work/stderr.txt" ] || fail "stderr: $(cat "$work/stderr.txt")"
)

apt-get purge -y -qq lirra-reader >/dev/null
trap - EXIT
snapshot > "$out/after.txt"
left=$(comm -13 "$out/before.txt" "$out/after.txt")
[ -z "$left" ] || { echo "left behind after removal:" >&2; echo "$left" >&2; exit 1; }
echo "== installed, opened the sample book in a real window, removed without a trace"
