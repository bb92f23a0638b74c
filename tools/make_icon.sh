#!/usr/bin/env bash
# Makes the Windows icon, src/platform/win32/quorvel.ico, from the program's PNG icons (the
# 96-pixel one for the large sizes, the 48-pixel one for the rest). Run it again after a
# change to either PNG and commit its output; it needs ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."
qt=src/platform/qt
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert "$qt/quorvel-96.png" -resize 96x96 "PNG32:$tmp/96.png"
convert "$qt/quorvel-96.png" -resize 64x64 "PNG32:$tmp/64.png"
convert "$qt/quorvel.png" "PNG32:$tmp/48.png"
for size in 32 24 16; do convert "$qt/quorvel.png" -resize "${size}x$size" "PNG32:$tmp/$size.png"; done
convert "$tmp"/{16,24,32,48,64,96}.png src/platform/win32/quorvel.ico
