#!/usr/bin/env bash
# Checks through AT-SPI, as a screen reader sees the program, that no focusable control of any
# window is without a name. Starts its own X server and session D-Bus (the accessibility bus is
# started on demand by the session bus), so it runs on a machine without a desktop, and gives up
# after a bounded time.
#   scripts/accessibility-walk.sh PATH-OF-VORNIK
set -euo pipefail
vornik=$(realpath "${1:?usage: accessibility-walk.sh PATH-OF-VORNIK}")
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
xvfb=
cleanup() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The X server picks a free display and writes its number to fd 3. Without -noreset it would
# reset when its last client leaves (the readiness check below) and refuse whoever connects then.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "accessibility walk: Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
# The server takes connections once a client can ask it about itself.
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
if ! xdpyinfo >/dev/null 2>&1; then
  echo "accessibility walk: the X server on $DISPLAY takes no connections" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

# dbus-run-session ends the bus and what it started (the accessibility bus and registry) when
# the walk returns; timeout bounds the whole walk.
timeout --kill-after=10 240 dbus-run-session -- /usr/bin/python3 "$here/accessibility-walk.py" "$vornik" \
  2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' \
         -e 'SpiRegistry daemon' >&2)
