#!/usr/bin/env bash
# Start-up, mode choice and the saver window of the real program.
source "$(dirname "$0")/lib.sh"

# A small body file of the test's own: a sun and one planet.
write_two_bodies() {
  write_bodies "$1" "Sonne 332946 0 0 0 0 0x0000FFFF" "Erde 1 1.2e11 0 33300 90 0x00FF8000"
}

use_two_bodies() {
  mkdir -p "$(zelor_data_dir)"
  write_two_bodies "$(zelor_data_dir)/zwei.zel"
  reg_set Datei "$(win_path "$(zelor_data_dir)/zwei.zel")"
}

# Moves the pointer twice: a position at the screen's centre (the saver's
# origin) only counts as a starting point.
wake_by_moving() {
  pointer 100 100
  sleep 0.3
  pointer 300 250
}

# Fails if a window titled "Form1" shows up while the program runs, or if it
# does not end normally.
expect_no_window_until_exit() {
  local i
  for ((i = 0; i < 200; i++)); do
    window_shown Form1 && fail "a saver window appeared"
    scr_running || break
    sleep 0.1
  done
  wait_scr_exit 1
}

test_preview_switch_ends_at_once_without_a_window() {
  scr_start /p 123
  expect_no_window_until_exit
}

test_text_without_a_mode_letter_ends_at_once() {
  scr_start /x 42
  expect_no_window_until_exit
}

test_saver_covers_the_screen_and_ends_on_a_real_movement() {
  use_two_bodies
  scr_start /s
  local id geometry
  id=$(wait_saver)
  geometry=$(xdotool getwindowgeometry "$id" | tr -d '\n')
  [[ "$geometry" == *"Position: 0,0"*"Geometry: 1024x768"* ]] || fail "saver window at $geometry"
  sleep 1
  # The click happens where the pointer is; it must not wake the saver.
  xdotool click 1
  keeps_for 2 "a click without movement ended the run" saver_alive
  expect_sky_unwritten
  wake_by_moving
  wait_scr_exit 20
  expect_sky_written
}

# The galaxy maker's 32,766 bodies: the tree makes a step in milliseconds,
# every pair in over a second, in pieces with a look at the input between
# them. Either way the saver ends within half a second of a move, its
# results (the last whole step, through the escape test) written.
test_the_saver_ends_within_half_a_second_of_a_move_with_the_galaxies() {
  local galaxies results approximation
  galaxies=$(zelor_data_dir)/galaxien.zel
  results=$(zelor_data_dir)/ergebnis.zel
  mkdir -p "$(zelor_data_dir)"
  zelor_bodies new Galaxien "$galaxies" >/dev/null || fail "could not write $galaxies"
  reg_set Speicher "$(win_path "$results")"
  reg_set speichern True
  reg_set Tempo 0
  reg_set Breite 16
  reg_set Höhe 9
  for approximation in True False; do
    rm -f "$results"
    reg_set Datei "$(win_path "$galaxies")"  # a saved end makes the results the next body file
    reg_set Naeherung "$approximation"
    pointer 100 100  # where the last run's wake-up left it
    scr_start /s
    wait_saver >/dev/null
    sleep 3  # in the middle of the steps
    saver_alive || fail "the saver is not running (Naeherung $approximation)"
    pointer 100 100
    sleep 0.3
    expect_gone_within_half_a_second "Zelor2.scr with Naeherung $approximation" "$SCR_PID" pointer 300 250
    wait_scr_exit 1
    expect_whole_records "$results" 32766 "results file (Naeherung $approximation)"
  done
}

test_the_picture_shows_the_label_and_the_orbit() {
  use_two_bodies
  reg_set rund False  # the orbit's place below is that of the sky stretched to the screen
  scr_start /s
  wait_saver >/dev/null
  sleep 3
  local shot=$E2E_OUT/shell-picture.png
  screenshot "$shot"
  wake_by_moving
  wait_scr_exit 20
  # White label text in the top-left corner (2055 x 615 twips at 96 dpi).
  local white
  white=$(convert "$shot" -crop 137x41+0+0 -fill black +opaque '#FFFFFF' -fill white -opaque '#FFFFFF' \
    -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ "$white" -gt 20 ] || fail "no label text in the corner ($white white pixels)"
  # The planet's colour 0x00FF8000 is RGB 0080FF; its orbit of 0.8 AU radius
  # passes the right-hand side of the 2 AU wide sky at x = 512 + 0.8 * 512.
  [ "$(count_colour "$shot" 0080FF)" -gt 100 ] || fail "no orbit drawn"
  [ "$(pixel "$shot" 921 384)" == "0080FF" ] || fail "orbit not at 0.8 AU right of the sun"
  [ "$(pixel "$shot" 512 384)" == "FFFF00" ] || fail "the sun is not at the centre"
}

test_a_second_start_ends_at_once_and_leaves_the_first_running() {
  use_two_bodies
  scr_start /s
  wait_saver >/dev/null
  local first=$SCR_PID
  scr_start /c
  wait_scr_exit 15
  window_like "^Zelor2 - " && fail "the second start opened the options"
  SCR_PID=$first
  keeps_for 1 "the first run ended" saver_alive
  wake_by_moving
  wait_scr_exit 20
  expect_sky_written
}

run_tests
