# Two monitors side by side (tests/two_monitors.sh): the sky goes on across
# the second monitor at the primary's scale, or leaves it black; a pointer
# move over either monitor ends the run.
source "$(dirname "$0")/lib.sh"
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

start_two_monitors "$X11_OUT"
trap stop_two_monitors EXIT
run_tests
