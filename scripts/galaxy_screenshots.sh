#!/usr/bin/env bash
# A user's look at the galaxy maker's 32,766 bodies: the native zelor2 runs
# them full-screen at the default tempo (60 steps a second) with the tree, in
# an Xvfb of 1920 x 1080, and the screen is saved after 10 seconds and after
# 3 minutes, as docs/Galaxien-10s.png and docs/Galaxien-3min.png.
#   ZELOR_BUILD  the Linux build holding src/zelor2 and zelor-bodies (default build/native)
#   ZELOR_SHOTS  the folder for the pictures (default docs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZELOR_BUILD:-build/native}
shots=${ZELOR_SHOTS:-docs}
work=$(mktemp -d)
trap 'kill "$saver" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
"$build/tools/zelor-bodies/zelor-bodies" new Galaxien "$work/galaxien.zel" >/dev/null

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
  "$build/src/zelor2" -fullscreen -file "$work/galaxien.zel" -interval 0.08 -sky 16x9 -approx &
saver=$!
for _ in $(seq 300); do xdotool search --onlyvisible --name '^Zelor2$' >/dev/null 2>&1 && break; sleep 0.1; done
started=$(date +%s)
for shot in 10:Galaxien-10s 180:Galaxien-3min; do
  until (($(date +%s) - started >= ${shot%%:*})); do sleep 0.2; done
  kill -0 "$saver" || { echo "zelor2 ended before ${shot%%:*} s" >&2; exit 1; }
  import -window root "$shots/${shot#*:}.png"
  echo "$shots/${shot#*:}.png after ${shot%%:*} s"
done
