#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Draws the program's pictures, button glyphs and icon into this folder with ImageMagick (the icon's PNGs with
# librsvg's rsvg-convert, from its SVG).
# The results are committed; run this again only to change them, then rebuild. The tools:
# bash scripts/install-deps.sh pictures
set -euo pipefail
cd "$(dirname "$0")"

convert=${CONVERT:-convert}
fonts=${LIBERATION_FONTS:-/usr/share/fonts/truetype/liberation}
regular=$fonts/LiberationSans-Regular.ttf
bold=$fonts/LiberationSans-Bold.ttf

navy='#0d1b2c'
blue='#2a7fd4'
amber='#f2a93b'
mist='#b9c7d8'
ink='#13243a'

# A rounded button face reading one word: glyph <file> <width> <height> <fill> <border> <point size>.
glyph() {
  local file=$1 width=$2 height=$3 fill=$4 border=$5 size=$6 word=$7
  "$convert" -size "${width}x${height}" xc:none \
    -fill "$fill" -stroke "$border" -strokewidth 1 \
    -draw "roundrectangle 0.5,0.5 $((width - 1)).5,$((height - 1)).5 5,5" \
    -stroke none -fill white -font "$bold" -pointsize "$size" -gravity center \
    -annotate +0+0 "$word" \
    -strip "PNG32:$file"
}

# Splash, 800 x 376: night-blue stage with two soft beams, the title, and a dark band for the buttons.
"$convert" -size 800x376 "gradient:#0a1523-#1b3b5e" \
  \( -size 800x376 xc:none \
     -fill 'rgba(255,214,150,0.13)' -draw 'polygon 600,0 640,0 790,376 440,376' \
     -fill 'rgba(150,195,255,0.10)' -draw 'polygon 690,0 720,0 800,250 800,376 600,376' \
     -fill 'rgba(150,195,255,0.07)' -draw 'polygon 470,0 500,0 560,376 300,376' \
     -blur 0x14 \) -composite \
  -fill 'rgba(0,0,0,0.38)' -draw 'rectangle 0,300 800,376' \
  -fill "$blue" -draw 'rectangle 0,300 800,300' \
  -fill white -font "$bold" -pointsize 44 -annotate +48+128 'Software Update System' \
  -fill "$amber" -draw 'rectangle 50,148 150,151' \
  -fill "$mist" -font "$regular" -pointsize 19 -annotate +50+184 'Firmware update and DMX channel test for lighting fixtures' \
  -fill '#8197b0' -font "$regular" -pointsize 13 -annotate +50+343 'DMX512 over a USB controller' \
  -strip -quality 92 splash.jpg

# "Update" page background, 850 x 520: white work area under a light header with a blue rule.
"$convert" -size 850x520 xc:white \
  \( -size 850x92 "gradient:#e6eef7-#ffffff" \) -geometry +0+0 -composite \
  -fill "$blue" -draw 'rectangle 0,92 850,93' \
  -fill '#8a9bb0' -font "$regular" -pointsize 20 -gravity northeast -annotate +28+34 'Firmware Update' \
  -gravity northwest -fill '#eef3f9' -draw 'rectangle 0,500 850,520' \
  -strip "PNG24:update-background.png"

# Logo, 269 x 103 with a clear background; its box shows the top 73 rows.
"$convert" -size 269x103 xc:none \
  -fill "$blue" -draw 'roundrectangle 4,10 58,64 9,9' \
  -fill white -draw 'polygon 31,19 47,37 37,37 37,54 25,54 25,37 15,37' \
  -fill "$ink" -font "$bold" -pointsize 23 -annotate +70+36 'Software Update' \
  -fill '#52657c' -font "$regular" -pointsize 15 -annotate +71+58 'System for DMX fixtures' \
  -strip "PNG32:update-logo.png"

glyph glyph-update.png 80 25 "$blue" '#1d5f9f' 14 'Update'
glyph glyph-exit.png 80 25 '#3a4b60' '#56687e' 14 'Exit'
glyph glyph-open.png 100 35 "$blue" '#1d5f9f' 17 'Open'
glyph glyph-start.png 100 35 '#2e9b59' '#217442' 17 'Start'
glyph glyph-stop.png 100 35 '#c63f3f' '#962d2d' 17 'Stop'

# The program's icon for menus and launchers, drawn after the logo's mark: a blue rounded square with a
# white upward arrow, over the amber rule of the splash. The SVG is the source; the PNGs of the icon
# theme's sizes are rendered from it with librsvg's rsvg-convert.
cat > icon.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#3a8fe0"/>
      <stop offset="1" stop-color="#1d5f9f"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="40" fill="url(#face)" stroke="#174f86" stroke-width="4"/>
  <polygon points="128,36 199,116 155,116 155,186 101,186 101,116 57,116" fill="#ffffff"/>
  <rect x="64" y="204" width="128" height="18" rx="5" fill="#f2a93b"/>
</svg>
SVG
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png --output "icon-$size.png" icon.svg
done
