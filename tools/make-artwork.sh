#!/bin/sh
# Draws the program's artwork with ImageMagick (convert) and writes it into resources/art, plus the
# small pictures the toolkit tests decode. The outputs are committed; run this again after changing
# a drawing. Usage: tools/make-artwork.sh [repo root]
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
art=$root/resources/art
data=$root/tests/toolkit/data
mkdir -p "$art" "$data"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# A 16 x 16 bell in the given body colour, outline and highlight on a background colour.
# Drawn without anti-aliasing so that masking by colour leaves no fringe.
bell16() { # body outline highlight background out
  convert -size 16x16 "xc:$4" +antialias -fill "$1" -stroke "$2" -strokewidth 1 \
    -draw "polygon 4,11 4,7 5,5 6,4 9,4 10,5 11,7 11,11" \
    -draw "rectangle 2,11 13,12" \
    -stroke none -fill "$2" -draw "rectangle 7,2 8,3" -draw "rectangle 7,13 8,14" \
    -fill "$3" -draw "line 6,6 6,9" \
    -type TrueColor "$5"
}

# Tray images: one strip of four 16 x 16 images; magenta (the bottom-left pixel) is transparent.
key='#FF00FF'
bell16 '#FF9A1F' '#8A4A00' '#FFE0A0' "$key" "$tmp/t0.png"
bell16 '#A8A8A8' '#505050' '#E0E0E0' "$key" "$tmp/t1.png"
convert -size 16x16 "xc:$key" +antialias -fill '#FFFFFF' -stroke '#404060' -strokewidth 1 \
  -draw "rectangle 1,3 14,12" -fill none -draw "polyline 1,3 7,8 8,8 14,3" \
  -type TrueColor "$tmp/t2.png"
bell16 '#2F7BFF' '#0A2A80' '#B0D0FF' "$key" "$tmp/t3.png"
convert "$tmp/t0.png" "$tmp/t1.png" "$tmp/t2.png" "$tmp/t3.png" +append -type TrueColor "BMP3:$art/tray.bmp"

# The popup's strip along its bottom edge, 138 x 3: four bands (72, 22, 22, 22 pixels) of three
# shades each, top row first. Exact colours, so drawn pixel row by pixel row.
strip_row() { # four colours
  convert -size 72x1 "xc:$1" -size 22x1 "xc:$2" -size 22x1 "xc:$3" -size 22x1 "xc:$4" +append "$5"
}
strip_row 'rgb(255,255,51)' 'rgb(247,163,16)' 'rgb(51,153,204)' 'rgb(153,204,153)' "$tmp/s0.png"
strip_row 'rgb(251,218,48)' 'rgb(255,0,0)' 'rgb(51,102,204)' 'rgb(115,188,136)' "$tmp/s1.png"
strip_row 'rgb(255,204,51)' 'rgb(204,0,0)' 'rgb(43,41,144)' 'rgb(15,141,48)' "$tmp/s2.png"
convert "$tmp/s0.png" "$tmp/s1.png" "$tmp/s2.png" -append -type TrueColor "BMP3:$art/strip.bmp"

# Window icon: 32 and 16 pixels, transparent around the bell.
convert -size 32x32 xc:none -fill '#FF9A1F' -stroke '#8A4A00' -strokewidth 1.5 \
  -draw "path 'M 7,23 C 8,14 9,8 16,7 C 23,8 24,14 25,23 Z'" \
  -draw "roundrectangle 4,22 28,25 1,1" \
  -stroke none -fill '#8A4A00' -draw "circle 16,5 16,3.5" -draw "circle 16,27.5 16,26" \
  -fill '#FFE0A0' -draw "roundrectangle 11,11 12.5,19 0.7,0.7" "$tmp/icon32.png"
bell16 '#FF9A1F' '#8A4A00' '#FFE0A0' none "$tmp/icon16.png"
convert "$tmp/icon16.png" "$tmp/icon32.png" "$art/quendrel.ico"

# Banner above the pages, 453 x 50.
convert -size 453x50 gradient:'#1E4FA0'-'#6FA8F0' -rotate -90 -resize '453x50!' \
  -fill '#FFFFFF' -font "$font" -pointsize 26 -annotate +62+35 'Quendrel' \
  -pointsize 11 -fill '#DDE8FF' -annotate +205+34 'mail watch for the notification area' \
  -fill '#FF9A1F' -stroke '#8A4A00' -strokewidth 1.5 \
  -draw "path 'M 17,38 C 18,24 20,14 31,13 C 42,14 44,24 45,38 Z'" \
  -draw "roundrectangle 13,37 49,41 1,1" -stroke none -fill '#8A4A00' -draw "circle 31,10 31,8" \
  -draw "circle 31,44 31,42" -quality 90 "$art/banner.jpg"

# About page artwork, 153 x 177.
convert -size 153x177 gradient:'#F4F8FF'-'#9CC0F0' \
  -fill '#FFFFFF' -stroke '#404060' -strokewidth 2 -draw "rectangle 22,96 130,160" \
  -fill none -draw "polyline 22,96 76,134 130,96" \
  -fill '#FF9A1F' -stroke '#8A4A00' -strokewidth 2 \
  -draw "path 'M 46,84 C 48,50 54,30 76,28 C 98,30 104,50 106,84 Z'" \
  -draw "roundrectangle 38,82 114,90 2,2" -stroke none -fill '#8A4A00' -draw "circle 76,22 76,17" \
  -fill '#FFE0A0' -draw "roundrectangle 60,42 65,74 2,2" -quality 90 "$art/about.jpg"

# Test pictures: four flat quadrants (red, green / blue, white) for decoding with known colours,
# and the same picture cut short for the damaged-file case.
convert \( -size 16x16 xc:'#FF0000' -size 16x16 xc:'#00FF00' +append \) \
        \( -size 16x16 xc:'#0000FF' -size 16x16 xc:'#FFFFFF' +append \) -append \
  -sampling-factor 1x1 -quality 95 "$data/quadrants.jpg"
head -c 300 "$data/quadrants.jpg" > "$data/quadrants_truncated.jpg"
