#!/usr/bin/env bash
# Redraws demo/medium/splash.png with ImageMagick. The picture is kept in the
# repository so that the demo needs no fonts; run this only to change it.
#
# It fills the launcher window's client area at 96 dpi (7215 x 5025 twips =
# 481 x 335 pixels); the band at the bottom has the profile's BackColor
# (14,22,54), so the window looks the same where the picture ends at other
# resolutions. The buttons need no such band: their corners show the picture.
set -euo pipefail
cd "$(dirname "$0")"

convert -size 481x335 gradient:'#2f57a8-#0e1636' \
  -fill none -stroke '#f2c94c' -strokewidth 14 -draw 'circle 384,120 384,52' \
  -stroke '#f2c94c80' -strokewidth 3 -draw 'circle 384,120 384,32' \
  -stroke none -fill white -draw 'circle 384,120 384,106' \
  -fill '#f2c94c' -draw 'rectangle 32,150 112,154' \
  -font DejaVu-Sans-Bold -pointsize 46 -fill white -annotate +28+92 'Orvex' \
  -font DejaVu-Sans -pointsize 30 -fill '#dce6ff' -annotate +30+134 'Demo Suite 1.0' \
  -pointsize 14 -fill '#b8c6ea' -annotate +32+182 'A sample medium for Orvex AutoRun' \
  -annotate +32+204 'Choose Install to start the demo installer.' \
  -fill '#0e1636' -draw 'rectangle 0,290 480,334' \
  -fill '#f2c94c' -draw 'rectangle 0,290 480,291' \
  -depth 8 -strip -define png:exclude-chunks=date,time medium/splash.png
echo "wrote $(pwd)/medium/splash.png"
