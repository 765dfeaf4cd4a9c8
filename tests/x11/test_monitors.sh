# Two monitors side by side (tests/two_monitors.sh): the sky goes on across
# the second monitor at the primary's scale, or leaves it black; a pointer
# move over either monitor ends the run. The same in the real daemon, which
# gives each monitor a window and a module of its own.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/daemon.sh"
source "$ZELOR_ROOT/tests/two_monitors.sh"

# The bodies, and the settings that show them over 2 x 1.5 AU.
planets_with_all_screens() {
  orbits_beyond_the_primary "$1"
  mkdir -p "$(dirname "$CONF")"
  printf '[Einstellungen]\nDatei=%s\nBreite=2\nHöhe=1.5\nalleBildschirme=%s\n' "$1" "$2" >"$CONF"
}

# The pointer's first report only records where it is; the second moves it.
wake_over() {
  xdotool mousemove "$1" "$2"
  sleep 0.3
  z_running || fail "ended by the first pointer report"
  xdotool mousemove $(($1 + 40)) $(($2 + 30))
  wait_z_exit 10
  [ "$(conf_get Breite)" != ABSENT ] || fail "the end of the run was not stored"
}

test_the_sky_goes_on_across_the_second_monitor_and_a_move_there_ends_the_run() {
  fresh_home monitors-on
  planets_with_all_screens "$TEST_DIR/work/planeten.zel" True
  z_start -fullscreen
  wait_for 15 "no red orbit on the second monitor" red_drawn 800x600+800+0
  local shot=$TEST_DIR/shot.png
  screenshot "$shot"
  # The sun at the primary's middle, the label at its top left; the orbit
  # stays within 200 pixels of the second monitor's left edge.
  [ "$(count_where "$shot" 5x5+398+298 'r+g+b>2.5')" -gt 0 ] || fail "no sun at the primary's middle"
  [ "$(count_where "$shot" 137x41+0+0 'r+g+b>2.5')" -gt 10 ] || fail "no label at the primary's top left"
  expect_eq "$(count_where "$shot" 580x600+1020+0 'r+g+b>0')" 0 "pixels beyond the red circle"
  wake_over 1300 300
}

test_with_all_screens_off_the_second_monitor_stays_black() {
  fresh_home monitors-off
  planets_with_all_screens "$TEST_DIR/work/planeten.zel" False
  z_start -fullscreen
  wait_for 15 "no green orbit on the primary" drawn 800x600+0+0 'g>0.5&&r<0.2'
  sleep 1
  local shot=$TEST_DIR/shot.png
  screenshot "$shot"
  expect_eq "$(count_where "$shot" 800x600+800+0 'r+g+b>0')" 0 "drawn pixels on the second monitor"
  [ "$(count_where "$shot" 5x5+398+298 'r+g+b>2.5')" -gt 0 ] || fail "no sun at the primary's middle"
  wake_over 1300 300
}

# Attaches strace to each running module, each writing the files it renames
# into place (the settings file, the results) to $TEST_DIR/renames.PID.
trace_renames() {
  local pid
  for pid in $(module_pids); do
    strace -qq -p "$pid" -e trace=rename,renameat,renameat2 -o "$TEST_DIR/renames.$pid" &
    TRACERS+=($!)
  done
}
TRACERS=()

# The modules whose renames put this file in place.
writers_of() { grep -l "\"$1\"" "$TEST_DIR"/renames.* 2>/dev/null | wc -l; }

test_in_the_daemon_the_second_monitors_module_goes_on_with_the_sky_and_only_the_primarys_stores() {
  fresh_home daemon-monitors
  make_daemon_home
  orbits_beyond_the_primary "$DAEMON_HOME/planeten.zel"
  printf '[Einstellungen]\nDatei=%s\nBreite=2\nHöhe=1.5\nSpeicher=%s\nspeichern=True\n' \
    "$DAEMON_HOME/planeten.zel" "$DAEMON_HOME/ergebnis.zel" >"$CONF"
  start_daemon
  wait_for 15 "not a module for each monitor" two_modules
  trace_renames
  wait_for 15 "no red orbit on the second monitor" red_drawn 800x600+800+0
  wait_for 15 "no green orbit on the primary" drawn 800x600+0+0 'g>0.5&&r<0.2'
  local shot=$TEST_DIR/all-screens.png
  screenshot "$shot"
  # One sky: the sun at the primary's middle; the green orbit, inside the
  # primary, leaves the second monitor black but for the red one within 220
  # pixels of its edge; the label (white) on the primary alone.
  [ "$(count_where "$shot" 5x5+398+298 'r+g+b>2.5')" -gt 0 ] || fail "no sun at the primary's middle"
  expect_eq "$(count_where "$shot" 800x600+800+0 'g>0.5&&r<0.2')" 0 "green pixels on the second monitor"
  expect_eq "$(count_where "$shot" 580x600+1020+0 'r+g+b>0')" 0 "pixels beyond the red circle"
  [ "$(count_where "$shot" 137x41+0+0 'r+g+b>2.5')" -gt 10 ] || fail "no label at the primary's top left"
  expect_eq "$(count_where "$shot" 800x600+800+0 'r+g+b>2.5')" 0 "white pixels (a label) on the second monitor"
  deactivate_daemon
  wait "${TRACERS[@]}" 2>/dev/null
  expect_eq "$(ls "$TEST_DIR"/renames.* | wc -l)" 2 "modules traced"
  expect_eq "$(writers_of "$CONF")" 1 "modules that wrote zelor2.conf"
  expect_eq "$(writers_of "$DAEMON_HOME/ergebnis.zel")" 1 "modules that wrote the results"
  expect_eq "$(conf_get Datei)" "$DAEMON_HOME/ergebnis.zel" "Datei after the run"

  # With "alleBildschirme" off the second monitor's window stays black.
  printf '\nalleBildschirme=False\n' >>"$CONF"
  xscreensaver-command -activate >/dev/null || fail "xscreensaver-command -activate"
  wait_for 15 "no green orbit on the primary" drawn 800x600+0+0 'g>0.5&&r<0.2'
  wait_for 5 "not a module for each monitor" two_modules
  sleep 1
  shot=$TEST_DIR/primary-only.png
  screenshot "$shot"
  expect_eq "$(count_where "$shot" 800x600+800+0 'r+g+b>0')" 0 "drawn pixels on the second monitor"
  deactivate_daemon
  if grep -q 'Zelor2:' "$TEST_DIR/daemon.log"; then fail "a module reported: $(grep 'Zelor2:' "$TEST_DIR/daemon.log")"; fi
  stop_daemon
}

start_two_monitors "$X11_OUT"
trap stop_two_monitors EXIT
TEST_TIMEOUT=${TEST_TIMEOUT:-60} run_tests
