#!/usr/bin/env bash
# Draws the About box's picture, about.png (400 × 250, 256 colours), with ImageMagick:
# an open book with a bookmark on the left, the program's name at the top right, and the
# dark screen whose middle the credits panel covers (225, 105, 166 × 61).
# Run it from anywhere; it writes about.png beside itself.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
serif=/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf
sans=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
italic=/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf

# Text lines on a page: short grey strokes from x0 to x1, bending with the page's top edge.
page_lines() {
  local x0=$1 x1=$2 out=""
  for y in $(seq 112 9 196); do out+="line $x0,$y $x1,$y "; done
  echo "$out"
}

convert -size 400x250 gradient:'#1c2947'-'#0d4654' \
  -fill '#ffffff30' -draw "circle 40,24 41,25 circle 150,14 151,15 circle 372,22 373,23 circle 190,238 191,239 circle 12,150 13,151" \
  -fill '#5b3a22' -stroke '#3a2414' -strokewidth 2 \
  -draw "path 'M 106,106 C 78,92 42,92 16,100 L 16,222 C 42,214 78,214 106,226 C 134,214 170,214 196,222 L 196,100 C 170,92 134,92 106,106 Z'" \
  -fill '#f6eedb' -stroke '#a08a62' -strokewidth 1 \
  -draw "path 'M 106,100 C 80,88 46,88 22,96 L 22,212 C 46,204 80,204 106,216 Z'" \
  -draw "path 'M 106,100 C 132,88 166,88 190,96 L 190,212 C 166,204 132,204 106,216 Z'" \
  -stroke '#b9ad95' -strokewidth 2 -draw "$(page_lines 32 96)" -draw "$(page_lines 116 180)" \
  -stroke none -fill '#c0262d' -draw "polygon 101,205 109,205 109,244 105,237 101,244" \
  -fill '#e8c46a' -font "$serif" -pointsize 31 -draw "text 214,58 'Lirra Reader'" \
  -fill '#cfd8e3' -font "$sans" -pointsize 14 -draw "text 290,82 'version 1.01 SE'" \
  -fill '#0a0a0a' -stroke '#8a96a6' -strokewidth 2 -draw "roundrectangle 218,98 396,173 7,7" \
  -stroke none -fill '#000000' -draw "rectangle 224,104 391,166" \
  -fill '#9fb2c4' -font "$italic" -pointsize 13 -draw "text 222,200 'Click the picture to close'" \
  -colors 256 PNG8:"$here/about.png"
