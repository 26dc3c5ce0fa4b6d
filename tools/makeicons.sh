#!/usr/bin/env bash
# Draws the program's icons with ImageMagick: the five 32x32 file-button
# pictures, and copies the 64x64 application icon. Run once after changing a drawing;
# the PNGs it writes are kept in resources/icons/.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
IM=${CONVERT:-convert}
# No time stamps in the files, so a rerun gives the same bytes.
draw() {
  local size=$1 name=$2; shift 2
  "$IM" -size "$size" xc:none "$@" -strip -define png:exclude-chunks=date,time "PNG32:$name"
}

# New file: a sheet with a folded corner and a green plus.
draw 32x32 newfile.png \
  -fill white -stroke '#404040' -strokewidth 1 \
  -draw "path 'M 6.5,2.5 L 20.5,2.5 L 26.5,8.5 L 26.5,29.5 L 6.5,29.5 Z'" \
  -fill '#d8d8d8' -draw "path 'M 20.5,2.5 L 20.5,8.5 L 26.5,8.5 Z'" \
  -stroke '#a0a0a0' -draw "line 10,13 22,13" -draw "line 10,17 22,17" -draw "line 10,21 18,21" \
  -stroke none -fill '#2e8b2e' -draw "rectangle 19,19 29,23" -draw "rectangle 22,16 26,26"

# Open file: a yellow folder, its front flap open.
draw 32x32 openfile.png \
  -fill '#e0b040' -stroke '#7a5a10' -strokewidth 1 \
  -draw "path 'M 2.5,7.5 L 11.5,7.5 L 13.5,10.5 L 26.5,10.5 L 26.5,27.5 L 2.5,27.5 Z'" \
  -fill '#f6d878' \
  -draw "path 'M 2.5,27.5 L 7.5,15.5 L 30.5,15.5 L 25.5,27.5 Z'"

# Save file: a blue diskette with its label and shutter.
draw 32x32 savefile.png \
  -fill '#2f5fa8' -stroke '#15305a' -strokewidth 1 \
  -draw "path 'M 3.5,3.5 L 25.5,3.5 L 28.5,6.5 L 28.5,28.5 L 3.5,28.5 Z'" \
  -stroke none -fill white -draw "rectangle 7,4 24,14" \
  -fill '#9090a0' -draw "line 9,7 22,7" -draw "line 9,10 22,10" \
  -fill '#c8c8d0' -draw "rectangle 9,19 22,28" \
  -fill '#2f5fa8' -draw "rectangle 17,21 20,26"

# About: a blue disc with a white "i".
draw 32x32 about.png \
  -fill '#2a62c8' -stroke '#17367a' -strokewidth 1 -draw "circle 16,16 16,2.5" \
  -stroke none -fill white -draw "circle 16,9 16,6.8" \
  -draw "rectangle 14,13 17,24" -draw "rectangle 12,13 14,14" -draw "rectangle 12,23 19,25"

# Help: a green disc with a white question mark.
draw 32x32 help.png \
  -fill '#2e9a5a' -stroke '#176036' -strokewidth 1 -draw "circle 16,16 16,2.5" \
  -fill none -stroke white -strokewidth 3 \
  -draw "ellipse 16.5,10.5 5,4.8 180,450" -draw "line 16.5,15.3 16.5,18.5" \
  -stroke none -fill white -draw "circle 16.5,24 16.5,22"

# Application icon: the packaged one (packaging/make-icons.sh draws it), so
# the window, the About box and the desktop show the same picture.
cp ../../packaging/icons/quillhaven-64.png quillhaven.png
