#!/usr/bin/env bash
# Installs the Debian packages Lirra Reader needs to build, run and test, if missing.
# Used by ./run.sh and ./test.sh; safe to run again.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libexpat1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
)
case "${1:-}" in
  --test) packages+=(xvfb xauth xdotool x11-utils imagemagick poppler-utils xclip openbox wmctrl trayer
                     fonts-urw-base35 at-spi2-core dbus python3-pyatspi python3-dbus python3-gi python3-xlib
                     clang libclang-rt-14-dev
                     dpkg-dev lintian appstream desktop-file-utils man-db xdg-utils librsvg2-bin) ;;
  --bench) packages+=(python3) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "These Debian packages are missing and I cannot install them without root:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
