#!/usr/bin/env bash
# Builds Zelor2.scr and the native zelor2 and runs the saver. With a display it
# runs the native program (or, with ZELOR_WINE=1, Zelor2.scr under Wine) until
# the pointer moves; without one it starts its own Xvfb, lets the saver
# draw for a few seconds, saves a screenshot and ends the run with a pointer
# movement.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
source scripts/wine_env.sh
ensure_wine_prefix

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # On a Linux display the native program, full-screen; ZELOR_WINE=1 runs the
  # Windows one instead.
  native=build/native/src/zelor2
  [ "${ZELOR_WINE:-0}" != 1 ] && [ -x "$native" ] && exec "$native" -fullscreen
  exec wine "$ZELOR_SCR" /s
fi

ensure_display
trap stop_own_display EXIT
shot="$ZELOR_ROOT/build/screenshot.png"
wine "$ZELOR_SCR" /s >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep "${ZELOR_RUN_SECONDS:-6}"
import -window root "$shot"
# Two moves: the first one after the pointer rested at the centre only counts
# as the starting position.
xdotool mousemove 100 100
sleep 0.5
xdotool mousemove 200 200
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
wineserver -w 2>/dev/null || true
echo "screenshot: $shot"
