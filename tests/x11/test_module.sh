#!/usr/bin/env bash
# The native program as a saver module and as a window of its own: where it
# draws, how it ends, and what it stores.
source "$(dirname "$0")/lib.sh"

test_a_given_window_gets_the_orbits_and_nothing_outside_it() {
  fresh_home given-window
  three_bodies "$TEST_DIR/work/drei.zel"
  "$TEST_WINDOW" 200 150 400 300 >"$TEST_DIR/helper" &
  HELPER_PID=$!
  wait_for 10 "no test window" grep -q '^0x' "$TEST_DIR/helper"
  XSCREENSAVER_WINDOW=$(head -n 1 "$TEST_DIR/helper") z_start -file "$TEST_DIR/work/drei.zel"
  wait_for 15 "no red orbit in the window" red_drawn 400x300+200+150
  local shot=$TEST_DIR/window.png
  screenshot "$shot"
  kill -TERM "$Z_PID"
  wait_z_exit 10
  # Everything but the window is the black root: the screen's non-black
  # pixels all lie inside the window.
  local inside all
  inside=$(count_where "$shot" 400x300+200+150 'r+g+b>0')
  all=$(count_where "$shot" 1024x768+0+0 'r+g+b>0')
  [ "$inside" -gt 100 ] || fail "only $inside pixels drawn in the window"
  expect_eq "$all" "$inside" "non-black pixels on the whole screen"
}

test_root_draws_on_the_root_window() {
  fresh_home root
  three_bodies "$TEST_DIR/work/drei.zel"
  z_start -root -file "$TEST_DIR/work/drei.zel"
  wait_for 15 "no red orbit on the root" red_drawn 1024x768+0+0
  # The sky spans the whole screen: the sun stays at its centre.
  local shot=$TEST_DIR/root.png
  screenshot "$shot"
  expect_eq "$(pixel "$shot" 512 384)" FFFFFF "the sun at the screen's centre"
  kill -TERM "$Z_PID"
  wait_z_exit 10
}

test_sigterm_with_saving_on_stores_the_results_and_the_sky() {
  fresh_home sigterm
  three_bodies "$TEST_DIR/work/drei.zel"
  mkdir -p "$(dirname "$CONF")"
  printf '[Einstellungen]\nDatei=%s\nSpeicher=%s\nspeichern=True\n' \
    "$TEST_DIR/work/drei.zel" "$TEST_DIR/work/ergebnis.zel" >"$CONF"
  z_start -root
  wait_for 15 "no red orbit on the root" red_drawn 1024x768+0+0
  kill -TERM "$Z_PID"
  wait_z_exit 10
  local size
  size=$(stat -c %s "$TEST_DIR/work/ergebnis.zel" 2>/dev/null) || fail "no results file"
  expect_eq "$size" $((3 * 59)) "size of the results file"
  expect_eq "$(conf_get Datei)" "$TEST_DIR/work/ergebnis.zel" "Datei after saving"
  [ "$(conf_get Breite)" != ABSENT ] || fail "the sky's width was not stored"
  [ "$(conf_get Höhe)" != ABSENT ] || fail "the sky's height was not stored"
}

test_a_broken_body_file_is_reported_in_german_and_nothing_is_written() {
  fresh_home broken
  : >"$TEST_DIR/work/leer.zel"
  z_start -root -file "$TEST_DIR/work/leer.zel" -save -results "$TEST_DIR/work/ergebnis.zel"
  wait_z_exit 10 1
  grep -q 'enthält keinen vollständigen Datensatz' "$TEST_DIR/stderr" ||
    fail "stderr lacks the message: $(cat "$TEST_DIR/stderr")"
  expect_eq "$(find "$TEST_DIR" -newer "$TEST_DIR/work/leer.zel" -type f ! -name 'std*' ! -name '*.png')" "" \
    "files written"
  [ ! -e "$XDG_CONFIG_HOME" ] && [ ! -e "$XDG_DATA_HOME" ] || fail "a settings or data folder was made"
}

test_fullscreen_ends_on_a_pointer_move_and_stores_its_end() {
  fresh_home fullscreen
  z_start -fullscreen
  wait_for 15 "no window Zelor2" xdotool search --onlyvisible --name '^Zelor2$'
  # The carried sample is written on the first run and drawn (below the label).
  wait_for 15 "no picture" drawn 1024x700+0+68 'r+g+b>0'
  [ -s "$DATA/Voyager.zel" ] || fail "the carried Voyager.zel was not written"
  xdotool mousemove 100 100
  sleep 0.3
  z_running || fail "ended by the first pointer report"
  xdotool mousemove 300 250
  wait_z_exit 10
  [ "$(conf_get Breite)" != ABSENT ] || fail "the end of the run was not stored"
}

run_tests
