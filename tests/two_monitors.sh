# Sourced by the end-to-end tests of either program: an X server of its own
# with two 800 x 600 monitors side by side, heads at 0,0 (primary) and
# 800,0. Xvfb puts Xinerama screens on top of each other, so it is Xorg with
# the dummy driver, laid out through RandR. Needs ZELOR_ROOT.
source "$ZELOR_ROOT/tests/lib/display.sh"

# Starts the server, exports DISPLAY and sets TWO_MONITORS_PID; the server's
# log goes to the folder $1. Exits the calling file when there is no such server.
start_two_monitors() {
  local logs=$1
  command -v Xorg >/dev/null || { echo "two monitors: Xorg is missing (scripts/setup.sh installs it)" >&2; exit 1; }
  mkdir -p "$logs"
  if ! start_x_server 171 199 Xorg -config "$ZELOR_ROOT/tests/xorg-dummy-wide.conf" -noreset -nolisten tcp \
    -logfile "$logs/xorg-{n}.log"; then
    echo "two monitors: could not start Xorg with the dummy driver (logs in $logs)" >&2
    exit 1
  fi
  TWO_MONITORS_PID=$X_SERVER_PID
  xrandr --addmode DUMMY1 800x600 && xrandr --output DUMMY1 --mode 800x600 --right-of DUMMY0 &&
    [ "$(xrandr --listmonitors | grep -cE 'x600/[0-9]+\+(0|800)\+0 ')" -eq 2 ] && return 0
  echo "two monitors: the dummy Xorg did not take the second monitor: $(xrandr --listmonitors)" >&2
  stop_two_monitors
  exit 1
}

stop_two_monitors() { stop_x_server "$TWO_MONITORS_PID"; }

# A sun, an inner green planet and an outer red one on circles of 0.5 and
# 1.5 AU. Over the primary's 800 x 600 pixels a sky of 2 x 1.5 AU is 400
# pixels an AU both ways, so the red circle reaches 1.5 half widths from the
# middle: 200 pixels into the second monitor, and crosses the primary only
# beyond its top and bottom.
orbits_beyond_the_primary() {
  write_bodies "$1" \
    "Sonne 332946 0 0 0 0 0xFFFFFF" \
    "Gruen 1 7.5e10 0 42069 90 0x00FF00" \
    "Rot 1 2.25e11 0 24289 90 0x0000FF"
}
