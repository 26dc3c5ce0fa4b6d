#!/usr/bin/env bash
# Renders the application icon packaging/icons/quillhaven.svg into the PNG
# sizes the desktop's hicolor icon theme looks for. The PNGs are kept in the
# repository, so a build needs no SVG renderer; rerun this after changing the
# drawing. Uses rsvg-convert (librsvg2-bin), or ImageMagick when it is missing.
set -euo pipefail
cd "$(dirname "$0")/icons"
sizes=(16 32 48 64 128 256)
for s in "${sizes[@]}"; do
  out="quillhaven-${s}.png"
  if command -v rsvg-convert >/dev/null; then
    rsvg-convert -w "$s" -h "$s" quillhaven.svg -o "$out.tmp"
  else
    convert -background none -density $((s * 96 / 64)) quillhaven.svg -resize "${s}x${s}" "PNG32:$out.tmp"
  fi
  # No time stamps or other metadata, so a rerun gives the same bytes.
  convert "$out.tmp" -strip -define png:exclude-chunks=date,time "PNG32:$out"
  rm -f "$out.tmp"
  echo "$out"
done
