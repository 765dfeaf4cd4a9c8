#!/usr/bin/env bash
# Zelor2.scr on two monitors side by side (tests/two_monitors.sh), which
# Wine finds through RandR: the sky goes on across the second monitor, or
# that monitor stays black; a pointer move over it ends the run.
source "$(dirname "$0")/lib.sh"
source "$ZELOR_ROOT/tests/two_monitors.sh"

use_planets_over_two_by_one_and_a_half_au() {
  mkdir -p "$(zelor_data_dir)"
  orbits_beyond_the_primary "$(zelor_data_dir)/planeten.zel"
  reg_set Datei "$(win_path "$(zelor_data_dir)/planeten.zel")"
  reg_set Breite 2
  reg_set Höhe 1.5
}

# A run until orbits show, a screenshot, and a move over the second monitor
# that ends it; the first report only records where the pointer is.
run_and_wake_over_the_second_monitor() {
  pointer 400 300  # the primary's middle, where the saver's first report counts for nothing
  scr_start /s
  wait_saver >/dev/null
  local i
  for ((i = 0; i < 150; i++)); do
    screenshot "$1"
    [ "$(count_where "$1" 800x600+0+0 'g>0.5&&r<0.2')" -gt 50 ] && break
    sleep 0.1
  done
  sleep 1
  screenshot "$1"
  pointer 1200 300
  sleep 0.3
  scr_running || fail "ended by the first pointer report"
  pointer 1250 330
  wait_scr_exit 20
}

test_the_sky_goes_on_across_the_second_monitor() {
  use_planets_over_two_by_one_and_a_half_au
  local shot=$E2E_OUT/monitors-on.png
  run_and_wake_over_the_second_monitor "$shot"
  [ "$(count_where "$shot" 800x600+800+0 'r>0.5&&g<0.2&&b<0.2')" -gt 50 ] || fail "no red orbit on the second monitor"
  [ "$(count_where "$shot" 5x5+398+298 'r+g+b>2.5')" -gt 0 ] || fail "no sun at the primary's middle"
}

test_with_all_screens_off_the_second_monitor_stays_black() {
  use_planets_over_two_by_one_and_a_half_au
  reg_set alleBildschirme False
  local shot=$E2E_OUT/monitors-off.png
  run_and_wake_over_the_second_monitor "$shot"
  expect_eq "$(count_where "$shot" 800x600+800+0 'r+g+b>0')" 0 "drawn pixels on the second monitor"
}

# Wine's processes of this prefix that still run on the tests' Xvfb end first.
timeout 60 wineserver -w
start_two_monitors "$E2E_OUT"
trap stop_two_monitors EXIT
run_tests
