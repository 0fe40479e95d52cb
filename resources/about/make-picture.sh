#!/usr/bin/env bash
# Renders the About box picture from about.svg into about.bmp: 48 by 48
# pixels, 24 bits per pixel, uncompressed (BMP3), as the resource compiler
# and a STATIC control expect. Run it after changing the drawing and commit
# both files; the build uses about.bmp and does not need ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
convert -background '#d4d0c8' about.svg -resize 48x48! -alpha off -type TrueColor \
  -define bmp:format=bmp3 BMP3:about.bmp
identify about.bmp
