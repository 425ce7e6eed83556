#!/usr/bin/env bash
# Draws the programs' icon (a key module: keys on a dark board) and writes
# vrx7100.ico with the sizes Windows asks for.  Needs ImageMagick; the .ico is
# kept in the repository, so builds do not run this.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
keys=()
for row in 0 1 2; do
  for col in 0 1 2 3; do
    x=$((34 + col * 48)); y=$((62 + row * 46))
    keys+=(-draw "roundrectangle $x,$y $((x + 38)),$((y + 36)) 6,6")
  done
done
convert -size 256x256 xc:none -fill '#1d3a5f' -draw 'roundrectangle 8,8 248,248 36,36' \
  -fill '#e8eef5' "${keys[@]}" -fill '#f0a030' -draw 'rectangle 34,30 222,44' \
  "$tmp/icon.png"
for size in 16 24 32 48 64 256; do
  convert "$tmp/icon.png" -resize ${size}x${size} "$tmp/icon-$size.png"
done
convert "$tmp"/icon-{16,24,32,48,64,256}.png vrx7100.ico
