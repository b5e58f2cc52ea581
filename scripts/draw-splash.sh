#!/usr/bin/env bash
# Draws the splash screen's picture again into ui/data/splash.ppm, after a change of its controls
# (ui/SplashDrawing.cpp) or of the emblem (ui/Emblem.cpp). AboutHelpTest checks that the shipped
# picture is what the controls draw.
#
#   scripts/draw-splash.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
ninja -C "$build" vornik-draw-splash
QT_QPA_PLATFORM=offscreen "$build/ui/vornik-draw-splash" ui/data/splash.ppm
echo "wrote ui/data/splash.ppm"
