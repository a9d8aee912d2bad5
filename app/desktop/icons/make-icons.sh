#!/usr/bin/env bash
# Renders the program icon vantro.svg into the PNG sizes of the icon theme with ImageMagick. The
# PNGs are committed; run this only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    convert -background none -density 300 vantro.svg -resize "${size}x${size}" "vantro-$size.png"
done
