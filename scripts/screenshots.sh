#!/usr/bin/env bash
# Screenshots of every window after a full star run and a full delta run, on a virtual X
# display. Needs Xvfb and ImageMagick (`import`).
#
#   scripts/screenshots.sh [OUTPUT_DIR]      (default: build/screenshots)
#
# The tour program (scripts/ScreenshotTour.cpp) builds the windows as the program does, drives
# them and saves one PNG per window and per diagram button, plus whole-screen captions.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
display="${VORNIK_SCREEN_DISPLAY:-:77}"

ninja -C build vornik-screenshot-tour
mkdir -p "$out"
rm -f "$out"/*.png

# -noreset: the server would otherwise reset when the readiness check leaves, refusing the tour.
Xvfb "$display" -noreset -screen 0 1280x1024x24 -nolisten tcp &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  if xdpyinfo -display "$display" >/dev/null 2>&1 || [ -e "/tmp/.X11-unix/X${display#:}" ]; then
    break
  fi
  sleep 0.1
done

DISPLAY="$display" QT_QPA_PLATFORM=xcb build/ui/vornik-screenshot-tour "$out" --root
echo "screenshots in $out:"
ls "$out"
