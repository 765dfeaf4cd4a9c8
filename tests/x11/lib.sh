# Sourced by the X11 end-to-end test files: drives the native zelor2 in an
# Xvfb with xdotool and screenshots, each test with its own settings and data
# folders. Every wait has a timeout.
set -uo pipefail
ZELOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
X11_OUT=${X11_OUT:-$ZELOR_ROOT/build/x11-e2e}
ZELOR2=${ZELOR2:-$ZELOR_ROOT/build/native/src/zelor2}
TEST_WINDOW=${TEST_WINDOW:-$ZELOR_ROOT/build/native/tests/x11_test_window}
source "$ZELOR_ROOT/tests/body_files.sh"
source "$ZELOR_ROOT/tests/lib/checks.sh"
source "$ZELOR_ROOT/tests/lib/display.sh"
source "$ZELOR_ROOT/tests/lib/pixels.sh"
source "$ZELOR_ROOT/tests/lib/runner.sh"
Z_PID="" HELPER_PID="" CLEANUP_DIR=""

# A fresh home for one test: settings in $CONF, data in $DATA.
fresh_home() {
  TEST_DIR=$X11_OUT/$1
  rm -rf "$TEST_DIR"
  mkdir -p "$TEST_DIR/work"
  export XDG_CONFIG_HOME=$TEST_DIR/config XDG_DATA_HOME=$TEST_DIR/data
  unset XSCREENSAVER_WINDOW
  CONF=$XDG_CONFIG_HOME/zelor2/zelor2.conf
  DATA=$XDG_DATA_HOME/zelor2
}

z_start() {
  "$ZELOR2" "$@" >"$TEST_DIR/stdout" 2>"$TEST_DIR/stderr" &
  Z_PID=$!
}
z_running() { [ -n "$Z_PID" ] && kill -0 "$Z_PID" 2>/dev/null; }

# Waits for the program's end and checks its exit status (0 unless given).
wait_z_exit() {
  local timeout=$1 expected=${2:-0} i status
  for ((i = 0; i < timeout * 10; i++)); do
    if ! z_running; then
      wait "$Z_PID" 2>/dev/null
      status=$?
      Z_PID=""
      [ "$status" -eq "$expected" ] || fail "zelor2 ended with status $status instead of $expected: $(cat "$TEST_DIR/stderr")"
      return 0
    fi
    sleep 0.1
  done
  fail "zelor2 still running after ${timeout}s"
}

# Starts an Xvfb with a black root window on a free display from :140 on,
# with the arguments added; sets XVFB_PID and exports DISPLAY.
start_xvfb() {
  start_x_server 140 170 Xvfb -screen 0 1024x768x24 -br -nolisten tcp "$@"
  XVFB_PID=$X_SERVER_PID
  [ -n "$XVFB_PID" ]
}

# The ids of the root window's children, mapped or not, one a line.
top_windows() {
  local tree
  tree=$(xwininfo -root -children) || fail "xwininfo cannot read the root window"
  awk '$1 ~ /^0x/ {print $1}' <<<"$tree" | sort
}

red='r>0.5&&g<0.2&&b<0.2'

# Three bodies: a white sun at the centre, a red and a green planet.
three_bodies() {
  write_bodies "$1" \
    "Sonne 332946 0 0 0 0 0xFFFFFF" \
    "Rot 1 -1.05e11 0 35500 270 0x0000FF" \
    "Gruen 1 6e10 0 47000 90 0x00FF00"
}

# True once the screen shows more than 50 pixels in the area for which the
# fx expression holds.
drawn() {
  local shot=$TEST_DIR/poll.png
  screenshot "$shot"
  [ "$(count_where "$shot" "$1" "$2")" -gt 50 ]
}
red_drawn() { drawn "$1" "$red"; }

# Waits for a message in the screen's area (WxH+X+Y, the whole screen unless
# given) and checks it there: centred, readable (each of the words, a list
# with spaces, read back from it with OCR), and still there a second later.
message_in_window() {
  local words=$1 area=${2:-1024x768+0+0} shot=$TEST_DIR/message.png box text word
  wait_for 15 "no message on the screen" drawn "$area" 'r+g+b>2.5'
  sleep 1
  screenshot "$shot"
  box=$(convert "$shot" -crop "$area" +repage -format %@ info:) || fail "cannot read $shot"
  local aw ah ax ay w h x y
  IFS='x+' read -r aw ah ax ay <<<"$area"
  IFS='x+' read -r w h x y <<<"$box"
  ((w > 0 && w < aw)) || fail "no message, or more than a message, in the area: $box"
  ((2 * x + w - aw <= 16 && aw - 2 * x - w <= 16)) || fail "the message is not centred across: $box in $area"
  ((2 * y + h - ah <= 16 && ah - 2 * y - h <= 16)) || fail "the message is not centred down: $box in $area"
  command -v tesseract >/dev/null || fail "tesseract is not installed"
  convert "$shot" -crop "${w}x${h}+$((ax + x))+$((ay + y))" +repage -bordercolor black -border 20 -colorspace Gray \
    -negate -resize 300% "$shot.ocr.png" || fail "cannot prepare $shot for OCR"
  text=$(timeout 60 tesseract "$shot.ocr.png" - --psm 6 2>/dev/null | tr '\n' ' ')
  for word in $words; do
    grep -qi -- "$word" <<<"$text" || fail "the message does not read \"$word\": $text"
  done
}

# A setting as the file holds it, or ABSENT.
conf_get() {
  [ -f "$CONF" ] || { echo ABSENT; return; }
  local line
  line=$(grep -m 1 "^$1=" "$CONF") || { echo ABSENT; return; }
  echo "${line#*=}"
}

# Ends what a test started; a helper (a window, a daemon) gets a few seconds
# to take its windows off the screen before the next test looks at it.
cleanup_test() {
  local i
  run_hook end_helper_groups  # tests/x11/saver_hosts.sh
  [ -n "$Z_PID" ] && kill -9 "$Z_PID" 2>/dev/null
  run_hook cleanup_daemon
  if [ -n "$HELPER_PID" ] && kill "$HELPER_PID" 2>/dev/null; then
    for ((i = 0; i < 50; i++)); do
      [[ "$(ps -o stat= -p "$HELPER_PID" 2>/dev/null)" == [^Z]* ]] || break  # gone, or a zombie
      sleep 0.1
    done
  fi
  [ -n "$CLEANUP_DIR" ] && rm -rf "$CLEANUP_DIR"
  Z_PID="" HELPER_PID="" CLEANUP_DIR=""
}

# Runs every test_* function of the calling file (those matching the extended
# regular expression in X11_ONLY, if set), each for at most TEST_TIMEOUT
# seconds (40), cleaning up after each however it ends.
run_tests() { run_test_functions "${X11_ONLY:-}" "${TEST_TIMEOUT:-40}"; }
