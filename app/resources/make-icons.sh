#!/usr/bin/env bash
# Draws the protocol buttons' images (normal and disabled) with ImageMagick. The PNGs are committed;
# run this only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")"

draw() { # name, then ImageMagick draw arguments for a 28x28 picture
    local name=$1; shift
    convert -size 28x28 xc:none "$@" "$name.png"
    convert "$name.png" -colorspace Gray -fill '#a0a0a0' -colorize 40% "$name-disabled.png"
}

# Clear: a sheet of paper crossed out in red.
draw cls -fill white -stroke black -draw "rectangle 6,3 21,24" \
    -stroke '#c00000' -strokewidth 3 -draw "line 4,5 23,23" -draw "line 23,5 4,23"
# Open: a yellow folder.
draw load -fill '#e8c040' -stroke black -draw "polygon 3,8 10,8 12,11 24,11 24,23 3,23" \
    -fill '#f8dc70' -draw "polygon 3,23 7,14 27,14 24,23"
# Print: a printer with a sheet.
draw print -fill white -stroke black -draw "rectangle 8,3 19,12" \
    -fill '#808080' -draw "rectangle 3,12 24,21" -fill white -draw "rectangle 8,18 19,25"
# Word processor: a page with a blue W.
draw word -fill white -stroke black -draw "rectangle 5,2 22,25" \
    -fill none -stroke '#2050c0' -strokewidth 2 -draw "polyline 7,8 10,20 13,11 16,20 19,8"
# Spreadsheet: a green table with a white X.
draw excel -fill '#208040' -stroke black -draw "rectangle 3,3 24,24" \
    -stroke white -strokewidth 3 -draw "line 8,8 19,19" -draw "line 19,8 8,19"
# Save: a blue disk.
draw save -fill '#3060b0' -stroke black -draw "rectangle 3,3 24,24" \
    -fill white -draw "rectangle 7,3 20,11" -fill '#c0c0c0' -draw "rectangle 8,16 19,24"
