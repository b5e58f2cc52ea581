#!/usr/bin/env bash
# Screenshots of every window after a full star run and a full delta run, on a virtual X
# display with a real window manager (openbox). Needs Xvfb, openbox, x11-utils (xwininfo,
# xprop) and, for the whole-screen captions, ImageMagick (`import`).
#
#   scripts/screenshots.sh [OUTPUT_DIR]      (default: build/screenshots)
#
# The tour program (tour/ScreenshotTour.cpp) builds the windows as the program does, drives
# them and saves one PNG per window and per diagram button, plus whole-screen captions. It also
# checks with the window system that every window's frame is at its home place and that the
# splash is painted on screen; the script fails when a check fails.
#
# VORNIK_BUILD_DIR picks the build folder (default: build); VORNIK_SCREEN_ROOT=0 leaves out the
# whole-screen captions (no ImageMagick needed).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
build="${VORNIK_BUILD_DIR:-build}"
display="${VORNIK_SCREEN_DISPLAY:-:77}"
root_flag=--root
[ "${VORNIK_SCREEN_ROOT:-1}" = 0 ] && root_flag=

cmake --build "$build" --target vornik-screenshot-tour
mkdir -p "$out"
rm -f "$out"/*.png

# A display of our own: a server still running there (a tour just ended, or left over) would be
# reused, so the next free display number is taken.
number=${display#:}
for _ in $(seq 20); do
  [ -e "/tmp/.X$number-lock" ] || break
  number=$((number + 1))
done
display=":$number"
# -noreset: the server would otherwise reset when the readiness check leaves, refusing the tour.
Xvfb "$display" -noreset -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wm_pid=
stop() {
  for pid in $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 30); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
  done
}
trap stop EXIT
for _ in $(seq 50); do
  if xdpyinfo -display "$display" >/dev/null 2>&1; then
    break
  fi
  sleep 0.1
done
kill -0 "$xvfb_pid"  # the server started

# The window manager frames the windows; the tour waits until it has taken the display.
DISPLAY="$display" openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
  if xprop -display "$display" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    break
  fi
  sleep 0.1
done
if ! xprop -display "$display" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "screenshots.sh: openbox did not start on $display" >&2
  exit 1
fi

DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build"/tour/vornik-screenshot-tour "$out" $root_flag
echo "screenshots in $out:"
ls "$out"
