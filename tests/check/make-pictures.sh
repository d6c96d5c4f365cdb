#!/usr/bin/env bash
# Makes the pictures of the checker's test media (committed; run again only
# to change them). Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/media"

# Exactly the window's client area at 96 dpi: no size warning.
convert -size 481x335 xc:'#0E1636' GIF:splash.gif
for medium in clean-window clean-utf8 clean-utf16 clean-ansi clean-system-colour fatal-button-show-type-mismatch fatal-show-type-mismatch \
  fatal-colour-subscript fatal-colour-overflow fatal-colour-invalid-property \
  fatal-empty-action warn-colour-components warn-caption-wide warn-program-missing \
  warn-exit-blanks warn-unknown-keys warn-document-action; do
  cp splash.gif "$medium/splash.gif"
done
rm splash.gif

convert -size 120x80 xc:'#D0A020' -type palette BMP3:warn-picture-small/splash.bmp
convert -size 600x400 xc:'#20A0D0' GIF:warn-picture-large/splash.gif
# A PNG cut off in its header.
convert -size 16x16 xc:white PNG:- | head -c 20 >fatal-invalid-picture/splash.png
