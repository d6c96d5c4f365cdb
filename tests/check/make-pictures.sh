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
  warn-exit-blanks warn-unknown-keys warn-document-action warn-program-not-runnable \
  languages; do
  cp splash.gif "$medium/splash.gif"
done
rm splash.gif

# Run-length coded: small in spite of its size, which fits the window.
convert -size 481x335 xc:'#0E1636' -type palette -compress RLE BMP3:clean-letter-case/știri.bmp
convert -size 120x80 xc:'#D0A020' -type palette BMP3:warn-picture-small/splash.bmp
# There, but the profile names it "images \splash.bmp": the blank stays.
mkdir -p missing-picture/images
cp warn-picture-small/splash.bmp missing-picture/images/splash.bmp
convert -size 600x400 xc:'#20A0D0' GIF:warn-picture-large/splash.gif
# A PNG cut off in its header.
convert -size 16x16 xc:white PNG:- | head -c 20 >fatal-invalid-picture/splash.png

# Damaged pictures behind valid headers, which the launcher refuses, and a
# WMF without placeable header, which it draws at its window extent.
put() { # FILE OFFSET PRINTF-BYTES: overwrites bytes in place
  printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
for medium in fatal-picture-bmp-cut fatal-picture-bmp-bits fatal-picture-bmp-rle \
  fatal-picture-bmp-offset fatal-picture-ico-cut fatal-picture-png-cut \
  fatal-picture-jpeg-garbage fatal-picture-gif-colourless clean-wmf-plain; do
  picture=splash.${medium##*-}
  case $medium in
    *-bmp-*) picture=splash.bmp ;;
    *-ico-*) picture=splash.ico ;;
    *-png-*) picture=splash.png ;;
    *-jpeg-*) picture=splash.jpg ;;
    *-gif-*) picture=splash.gif ;;
    *-wmf-*) picture=splash.wmf ;;
  esac
  mkdir -p "$medium"
  sed "s/^Picture=.*/Picture=$picture/" fatal-invalid-picture/autorun.ini >"$medium/autorun.ini"
done
convert -size 16x16 xc:'#20A0D0' BMP3:- | head -c 400 >fatal-picture-bmp-cut/splash.bmp
convert -size 16x16 xc:'#20A0D0' BMP3:fatal-picture-bmp-bits/splash.bmp
put fatal-picture-bmp-bits/splash.bmp 28 '\7'
# 8 bits per pixel said to be run-length coded: runs of 255 pixels, never an
# end-of-bitmap record.
convert -seed 3 -size 16x16 plasma: -colors 64 -type palette BMP3:fatal-picture-bmp-rle/splash.bmp
put fatal-picture-bmp-rle/splash.bmp 30 '\1'
size=$(stat -c %s fatal-picture-bmp-rle/splash.bmp)
offset=$(od -An -tu4 -j10 -N4 fatal-picture-bmp-rle/splash.bmp | tr -d ' ')
head -c $((size - offset)) /dev/zero | tr '\0' '\377' |
  dd of=fatal-picture-bmp-rle/splash.bmp bs=1 seek="$offset" conv=notrunc status=none
convert -size 16x16 xc:'#20A0D0' BMP3:fatal-picture-bmp-offset/splash.bmp
put fatal-picture-bmp-offset/splash.bmp 10 '\0\0\1\0'
convert -size 16x16 xc:'#20A0D0' ICO:- | head -c 600 >fatal-picture-ico-cut/splash.ico
convert -size 64x48 xc:'#20A0D0' PNG:- | head -c 60 >fatal-picture-png-cut/splash.png
# The headers whole, then bytes that are no Huffman-coded data.
convert -seed 7 -size 64x48 plasma:fractal JPEG:fatal-picture-jpeg-garbage/splash.jpg
size=$(stat -c %s fatal-picture-jpeg-garbage/splash.jpg)
head -c $((size / 3)) fatal-picture-jpeg-garbage/splash.jpg >jpeg.tmp
for _ in $(seq 64); do printf '\x5A\xA5\x13\x37\xC3\x3C\x81\x18'; done >>jpeg.tmp
mv jpeg.tmp fatal-picture-jpeg-garbage/splash.jpg
# GIF89a, 1 x 1, neither a global nor a local colour table.
printf 'GIF89a\1\0\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2\104\1\0;' \
  >fatal-picture-gif-colourless/splash.gif
# Header, SetWindowExt 200 x 150, a brush, its selection, a rectangle, end.
printf '\1\0\11\0\0\3\43\0\0\0\1\0\7\0\0\0\0\0''\5\0\0\0\14\2\226\0\310\0''\7\0\0\0\374\2\0\0\320\240\40\0\0\0''\4\0\0\0\55\1\0\0''\7\0\0\0\33\4\226\0\310\0\0\0\0\0''\3\0\0\0\0\0' \
  >clean-wmf-plain/splash.wmf

# Program files, never started by the tests: the headers of a 32-bit
# Windows program (DOS header, PE header, optional header with its 16 data
# directories, which signing tools need, no sections),
# which the checker takes as a program, and files that are none.
program() { # FILE
  { printf 'MZ'; head -c 58 /dev/zero; printf '\100\0\0\0PE\0\0\114\1\0\0'
    head -c 12 /dev/zero; printf '\340\0\2\1\13\1'; head -c 90 /dev/zero
    printf '\20\0\0\0'; head -c 128 /dev/zero; } >"$1"
}
program clean-window/setup.exe
program warn-program-not-runnable/marker.exe
program clean-letter-case/șub/marker.exe
printf 'A stand-in, not a program.\r\n' >warn-program-not-runnable/tool.exe
: >fatal-headless-not-a-program/tool.exe
