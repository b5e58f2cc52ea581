#!/usr/bin/env bash
# Draws the pictures the program ships drawn beforehand again into ui/data: the splash screen
# (splash.ppm) and the toolbar glyphs (glyphs.pam). Run it after changing the splash's controls
# (ui/widgets/SplashDrawing.cpp), the emblem (ui/widgets/Emblem.cpp) or a glyph
# (ui/widgets/Glyphs.cpp);
# ShippedPicturesTest checks that the shipped pictures are what the code draws. Both draw with the
# font files of fonts-liberation and fonts-dejavu-core alone (UsePictureFonts), so a machine that also has
# fonts-liberation2 (which LibreOffice brings) draws the same pictures.
#
#   scripts/draw-pictures.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
ninja -C "$build" vornik-draw-pictures
QT_QPA_PLATFORM=offscreen "$build/predraw/vornik-draw-pictures" ui/data
echo "wrote ui/data/splash.ppm and ui/data/glyphs.pam"
