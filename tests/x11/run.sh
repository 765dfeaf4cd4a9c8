#!/usr/bin/env bash
# Runs the end-to-end tests of the native X11 program (tests/x11/test_*.sh, or
# the files named) in an Xvfb of its own with a black root window, against
# build/native/src/zelor2 (ZELOR2) and build/native/tests/x11_test_window
# (TEST_WINDOW). X11_ONLY=<regular expression> runs only the tests whose
# names match; each file must still report one. Prints the tally.
set -uo pipefail
cd "$(dirname "$0")"
source ./lib.sh
[ -x "$ZELOR2" ] || { echo "x11: $ZELOR2 is missing; build first" >&2; exit 2; }
[ -x "$TEST_WINDOW" ] || { echo "x11: $TEST_WINDOW is missing; build first" >&2; exit 2; }
bash ../../scripts/build_bodies_tool.sh || exit 2

start_xvfb || { echo "x11: could not start Xvfb" >&2; exit 2; }
xvfb_pid=$XVFB_PID
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT

files=("$@")
((${#files[@]})) || files=(test_*.sh)
log=$(mktemp)
broken=()
for f in "${files[@]}"; do
  echo "== $f"
  out=$(mktemp)
  bash "$f" 2>&1 | tee "$out"
  status=${PIPESTATUS[0]}
  # A file fails on its own when it exits non-zero (also after a crash of the
  # file itself, which leaves no FAIL line) or reports no test at all, as
  # when X11_ONLY matches none of its tests.
  if [ "$status" -ne 0 ]; then
    broken+=("$f exited with status $status")
  elif ! grep -q '^\(PASS\|FAIL\) ' "$out"; then
    broken+=("$f reported no test")
  fi
  cat "$out" >>"$log"
  rm -f "$out"
done
passed=$(grep -c '^PASS ' "$log")
failed=$(grep -c '^FAIL ' "$log")
rm -f "$log"
for b in "${broken[@]}"; do echo "x11: $b" >&2; done
echo "x11: $passed passed, $failed failed, ${#broken[@]} file(s) failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ] && [ "${#broken[@]}" -eq 0 ]
