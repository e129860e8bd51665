#!/usr/bin/env bash
# Renders the program's icon, resources/icons/org.lirra.Reader.svg, into the hicolor theme's
# PNG sizes under resources/icons/hicolor/. The PNGs are committed so that a build needs no
# SVG renderer; run this after changing the SVG (tests/package checks they are in step).
set -euo pipefail
icons="$(cd "$(dirname "$0")/../resources/icons" && pwd)"
for size in 16 22 24 32 48 64 128 256; do
  dir="$icons/hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  rsvg-convert -w "$size" -h "$size" "$icons/org.lirra.Reader.svg" -o "$dir/org.lirra.Reader.png"
done
