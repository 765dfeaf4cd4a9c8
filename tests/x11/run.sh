#!/usr/bin/env bash
# Runs the end-to-end tests of the native X11 program (tests/x11/test_*.sh, or
# the files named) in an Xvfb of its own with a black root window, against
# build/native/src/zelor2 (ZELOR2) and build/native/tests/x11_test_window
# (TEST_WINDOW). X11_ONLY=<extended regular expression> runs only the tests
# whose names match; each file must still report one. Prints the tally.
set -uo pipefail
cd "$(dirname "$0")"
source ./lib.sh
source ../lib/files.sh
[ -x "$ZELOR2" ] || { echo "x11: $ZELOR2 is missing; build first" >&2; exit 2; }
[ -x "$TEST_WINDOW" ] || { echo "x11: $TEST_WINDOW is missing; build first" >&2; exit 2; }
bash ../../scripts/build_bodies_tool.sh || exit 2

start_xvfb || { echo "x11: could not start Xvfb" >&2; exit 2; }
xvfb_pid=$XVFB_PID
trap 'stop_x_server "$xvfb_pid"' EXIT

files=("$@")
((${#files[@]})) || files=(test_*.sh)
for f in "${files[@]}"; do
  echo "== $f"
  run_test_file "$f" "" bash "$f"
done
report_tally x11
