#!/usr/bin/env bash
# Runs the end-to-end tests of the native X11 program (tests/x11/test_*.sh, or
# the files named) in an Xvfb of its own with a black root window, against
# build/native/src/zelor2 (ZELOR2) and build/native/tests/x11_test_window
# (TEST_WINDOW). Prints the tally.
set -uo pipefail
cd "$(dirname "$0")"
source ./lib.sh
[ -x "$ZELOR2" ] || { echo "x11: $ZELOR2 is missing; build first" >&2; exit 2; }
[ -x "$TEST_WINDOW" ] || { echo "x11: $TEST_WINDOW is missing; build first" >&2; exit 2; }
bash ../../scripts/build_bodies_tool.sh || exit 2

xvfb_pid=""
for n in $(seq 140 170); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && break 2
    sleep 0.1
  done
  kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "x11: could not start Xvfb" >&2; exit 2; }
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT

files=("$@")
((${#files[@]})) || files=(test_*.sh)
status=0
log=$(mktemp)
for f in "${files[@]}"; do
  echo "== $f"
  bash "$f" 2>&1 | tee -a "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done
passed=$(grep -c '^PASS ' "$log")
failed=$(grep -c '^FAIL ' "$log")
rm -f "$log"
echo "x11: $passed passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
