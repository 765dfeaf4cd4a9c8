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
Z_PID="" HELPER_PID="" CLEANUP_DIR=""

fail() {
  echo "    failed: $*" >&2
  if [ -n "${TEST_PID:-}" ] && [ "$BASHPID" != "$TEST_PID" ]; then kill "$TEST_PID" 2>/dev/null; fi
  exit 1
}
expect_eq() { [ "$1" == "$2" ] || fail "$3: expected '$2', got '$1'"; }

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

# Runs the command until it succeeds; fails with the message after the timeout.
# The clock, not a count of tries: a check may itself take a second.
wait_for() {
  local timeout=$1 message=$2 end
  shift 2
  end=$((SECONDS + timeout))
  while ((SECONDS < end)); do
    "$@" >/dev/null && return 0
    sleep 0.1
  done
  fail "$message within ${timeout}s"
}


# Starts an Xvfb with a black root window on a free display from :140 on,
# with the arguments added; sets XVFB_PID and exports DISPLAY.
start_xvfb() {
  local n i
  for n in $(seq 140 170); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp "$@" >/dev/null 2>&1 &
    XVFB_PID=$!
    # Our server, not one another run started on the same number meanwhile.
    for ((i = 0; i < 50; i++)); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
  done
  XVFB_PID=""
  return 1
}

# The ids of the root window's children, mapped or not, one a line.
top_windows() {
  local tree
  tree=$(xwininfo -root -children) || fail "xwininfo cannot read the root window"
  awk '$1 ~ /^0x/ {print $1}' <<<"$tree" | sort
}

screenshot() { timeout 20 import -window root "$1" 2>/dev/null || fail "screenshot $1"; }
# Pixels of the screenshot's area (WxH+X+Y) for which the expression in r, g
# and b (each 0 to 1) holds. It is weighed once per colour of the area's
# histogram: the screen has a few colours, and -fx, pixel by pixel, takes
# seconds on a busy machine.
count_where() {
  convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info: |
    awk -F'[()]' '{
      n = split($2, c, ","); r = c[1] / 255; g = c[n > 1 ? 2 : 1] / 255; b = c[n > 2 ? 3 : 1] / 255
      if ('"$3"') sum += $1
    } END { print sum + 0 }'
}
red='r>0.5&&g<0.2&&b<0.2'
# The colour of one pixel of a screenshot as RRGGBB.
pixel() { convert "$1" -format '%[hex:p{'"$2"','"$3"'}]' info: 2>/dev/null | cut -c1-6; }

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

# A setting as the file holds it, or ABSENT.
conf_get() {
  [ -f "$CONF" ] || { echo ABSENT; return; }
  local line
  line=$(grep -m 1 "^$1=" "$CONF") || { echo ABSENT; return; }
  echo "${line#*=}"
}

# Ends what a test started; a helper (a window, a daemon) gets a few seconds
# to take its windows off the screen before the next test looks at it.
cleanup() {
  local i
  [ -n "$Z_PID" ] && kill -9 "$Z_PID" 2>/dev/null
  if [ -n "$HELPER_PID" ] && kill "$HELPER_PID" 2>/dev/null; then
    for ((i = 0; i < 50; i++)); do
      [[ "$(ps -o stat= -p "$HELPER_PID" 2>/dev/null)" == [^Z]* ]] || break  # gone, or a zombie
      sleep 0.1
    done
  fi
  [ -n "$CLEANUP_DIR" ] && rm -rf "$CLEANUP_DIR"
  Z_PID="" HELPER_PID="" CLEANUP_DIR=""
}

# Runs every test_* function of the calling file (those matching X11_ONLY,
# if set) under a watchdog; prints one PASS or FAIL line each.
run_tests() {
  local name pid status failed=0 limit=${TEST_TIMEOUT:-40} i
  for name in $(declare -F | awk '{print $3}' | grep '^test_' | grep -e "${X11_ONLY:-}"); do
    ( TEST_PID=$BASHPID; trap cleanup EXIT; "$name" ) &
    pid=$!
    for ((i = 0; i < limit * 10; i++)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null
      echo "    failed: timed out after ${limit}s" >&2
      status=124
    else
      wait "$pid"
      status=$?
    fi
    if [ "$status" -eq 0 ]; then echo "PASS $name"; else echo "FAIL $name"; failed=1; fi
  done
  return $failed
}
