# Sourced by the real-window tests (after `out` is set): a scratch folder, an X display
# of our own (a free one, chosen by the server) with a window manager, and the reader's
# settings and cache folders in the scratch folder, never the user's. Everything started
# goes into `pids` and is ended at exit; `fail` takes a screenshot and stops the test.
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; import -window root "$out/failure.png" 2>/dev/null || true; exit 1; }

# What the real-window tests run, all installed by `tools/install-deps.sh --test`: one
# missing fails the test by name rather than by a puzzling step further on.
for tool in Xvfb xdpyinfo xwininfo xprop openbox xdotool import xclip wmctrl trayer /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || fail "$tool is missing: tools/install-deps.sh --test installs it"
done
/usr/bin/python3 -c 'import pyatspi, Xlib' 2>/dev/null || fail "python3-pyatspi or python3-xlib is missing: tools/install-deps.sh --test installs them"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
sleep 0.5

export QT_QPA_PLATFORM=xcb
export LIRRA_REGISTRY="$work/registry.reg" XDG_CACHE_HOME="$work/cache" TMPDIR="$work/tmp"
unset XDG_RUNTIME_DIR
mkdir -m 700 -p "$TMPDIR"
# Where the reader keeps the converted copy of the open book.
temp="$XDG_CACHE_HOME/lirra-reader/lirra.tmp"

# For tests run inside a session bus of their own (dbus-run-session) that read the windows
# as a screen reader does: the accessibility bus, and the toolkit told to serve it.
start_accessibility_bus() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & pids+=($!)
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
# probe ARGS...: atspi_probe.py on the main window of the reader $app, captioned with
# "$book " (the book's name and one blank), tried for up to ten seconds.
probe() {
  for _ in $(seq 100); do
    /usr/bin/python3 "$here/atspi_probe.py" "$app" "$book " "$@" && return 0
    sleep 0.1
  done
  return 1
}
