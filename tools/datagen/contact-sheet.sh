#!/usr/bin/env bash
# Makes one contact sheet of every picture in a data pack folder (needs ImageMagick).
#   tools/datagen/contact-sheet.sh DATA_FOLDER OUTPUT.png
set -euo pipefail
data=${1:?data folder}
out=${2:?output png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

label() { montage -label "$2" "$1" -font DejaVu-Sans -pointsize 14 -geometry +0+0 -background '#202028' -fill '#f0e6c8' "$3"; }

n=0
for f in Menu1.bmp Menu2.bmp Menu3.bmp Menu4.bmp LANDSCAPE1.BMP LANDSCAPE2.BMP LANDSCAPE3.BMP LANDSCAPE4.BMP LANDSCAPE5.BMP; do
  n=$((n + 1))
  convert "$data/$f" -resize 50% "$work/p.png"
  label "$work/p.png" "$f" "$work/pic$n.png"
done
montage "$work"/pic[1-4].png -tile 4x1 -geometry +6+6 -background '#202028' "$work/menus.png"
montage "$work"/pic[5-9].png -tile 5x1 -geometry +6+6 -background '#202028' "$work/lands.png"

for who in Gaia Eris Apollo Medousa Haides Aries; do
  # Transparent index 0 shown as slate so the figures stand out from their cells.
  convert "$data/${who}0.BMP" "$data/${who}1.BMP" -append "$work/a.png"
  convert "$data/${who}2.BMP" "$data/${who}3.BMP" -append "$work/b.png"
  convert "$work/a.png" "$work/b.png" +append -fill '#50607a' -opaque black "$work/s.png"
  label "$work/s.png" "${who}0-3.BMP" "$work/sheet_$who.png"
done
montage "$work"/sheet_{Gaia,Eris,Apollo,Medousa,Haides,Aries}.png -tile 3x2 -geometry +6+6 -background '#202028' "$work/sheets.png"

# The sheets keep their pixels one to one; the screens are scaled to the same width.
width=$(identify -format %w "$work/sheets.png")
convert "$work/menus.png" -resize "${width}x" "$work/menus_w.png"
convert "$work/lands.png" -resize "${width}x" "$work/lands_w.png"
convert "$work/menus_w.png" "$work/lands_w.png" "$work/sheets.png" -append -background "#202028" -depth 8 -strip "$out"
