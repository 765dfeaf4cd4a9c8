#!/usr/bin/env bash
# A saver run on real body files: loading, drawing, the results file, and the
# carried sample on a fresh machine.
source "$(dirname "$0")/lib.sh"

# Prints one line per record: name, colour as #RRGGBB.
read_records() { zelor_bodies to-csv "$1" | tail -n +2 | cut -d, -f1,7 | tr ',' ' '; }

# The records of a file as CSV rows, after a check that it holds whole ones.
csv_rows() {
  (($(stat -c %s "$1") % 59 == 0)) || fail "$1: $(stat -c %s "$1") bytes, not whole records"
  zelor_bodies to-csv "$1" | tail -n +2 || fail "cannot read $1"
}

# Fails unless every body of the second file has the name and mass it had in
# the first but stands somewhere else: a run that moved its bodies and saved
# them. Colours are left out, as white is saved as 0. The CSV writes equal
# numbers as equal texts.
expect_bodies_moved() {
  local before after
  before=$(csv_rows "$1")
  after=$(csv_rows "$2")
  expect_eq "$(wc -l <<<"$after")" "$(wc -l <<<"$before")" "number of records"
  # The sun barely moves; every other body must have gone some way.
  paste -d'|' <(echo "$before") <(echo "$after") | awk -F'|' '{
      split($1, b, ","); split($2, a, ",")
      if (a[1] != b[1] || a[2] != b[2]) { print "name or mass of " b[1]; exit 1 }
      if (b[1] != "Sonne" && a[3] == b[3] && a[4] == b[4]) { print b[1] " at the same place"; exit 1 }
    }' >&2 || fail "the state did not move"
}

# Reads the results file with od, not with the program's own record code:
# 59-byte records of a 15-byte name, five little-endian doubles at 15, 23, 31,
# 39 and 47 (mass, X, Y, speed, direction) and a 32-bit colour at 55. Both
# planets started on nearly circular orbits, so wherever they stand their
# distance and speed are within 10% of those they started with, which a field
# read at a wrong offset would not be; white is stored as 0.
expect_records_readable_without_our_code() {
  local file=$1 k name fields
  expect_eq "$(($(stat -c %s "$file") % 59))" 0 "size of $file modulo a record"
  for k in 0 1 2; do
    name=$(dd if="$file" bs=1 skip=$((k * 59)) count=15 2>/dev/null)
    fields=$( (LC_ALL=C od -A n -v -t f8 -j $((k * 59 + 15)) -N 40 --endian=little "$file"
      LC_ALL=C od -A n -v -t d4 -j $((k * 59 + 55)) -N 4 --endian=little "$file") | tr -s ' \n' '  ')
    LC_ALL=C awk -v k="$k" -v name="$name" '
      function near(a, b) { return a > b * 0.9 && a < b * 1.1 }
      {
        split("Sonne          |Rot            |Gruen          ", names, "|")
        split("332946 1 1", masses, " "); split("0 1.05e11 6e10", radii, " ")
        split("0 35500 47000", speeds, " "); split("0 255 65280", colours, " ")
        i = k + 1; mass = $1; x = $2; y = $3; speed = $4; direction = $5; colour = $6
        if (name != names[i]) { print "record " k ": name \"" name "\""; exit 1 }
        if (mass != masses[i] || colour != colours[i]) { print name ": mass " mass ", colour " colour; exit 1 }
        if (direction < -90 || direction >= 270) { print name ": direction " direction; exit 1 }
        if (i > 1 && !(near(sqrt(x * x + y * y), radii[i]) && near(speed, speeds[i]))) {
          print name ": at " x ", " y " with " speed " m/s"; exit 1
        }
      }' <<<"$fields" >&2 || fail "record $k of $file as od reads it: $fields"
  done
}

wake_by_moving() {
  pointer 100 100
  sleep 0.3
  pointer 300 250
}

# Three bodies on the horizontal axis, coloured red, green and blue.
three_bodies() {
  write_bodies "$1" \
    "Sonne 332946 0 0 0 0 0xFFFFFF" \
    "Rot 1 -1.05e11 0 35500 270 0x0000FF" \
    "Gruen 1 6e10 0 47000 90 0x00FF00"
}

# The three bodies as the run's body file, in the program's own folder.
use_three_bodies() {
  mkdir -p "$(zelor_data_dir)"
  three_bodies "$(zelor_data_dir)/drei.zel"
  reg_set Datei "$(win_path "$(zelor_data_dir)/drei.zel")"
}

test_each_body_is_drawn_in_its_colour_at_its_place() {
  use_three_bodies
  reg_set rund False  # the places below are those of the sky stretched to the screen
  scr_start /s
  wait_saver >/dev/null
  sleep 2
  local shot=$E2E_OUT/simulation-colours.png
  screenshot "$shot"
  wake_by_moving
  wait_scr_exit 20
  # 1024 x 768 pixels show 2 x 2 AU: the sun (white, stored as 0) at the
  # centre, red starting 0.7 AU left of it, green 0.4 AU right of it.
  expect_eq "$(pixel "$shot" 512 384)" FFFFFF "sun at the centre"
  expect_eq "$(pixel "$shot" 153 384)" FF0000 "red body's start"
  expect_eq "$(pixel "$shot" 716 384)" 00FF00 "green body's start"
  [ "$(count_colour "$shot" FF0000)" -gt 200 ] || fail "red orbit not drawn"
  [ "$(count_colour "$shot" 00FF00)" -gt 200 ] || fail "green orbit not drawn"
}

test_saved_results_are_the_next_runs_body_file() {
  local dir
  dir=$(zelor_data_dir)
  use_three_bodies
  reg_set Speicher "$(win_path "$dir/ergebnis.zel")"
  reg_set speichern True
  scr_start /s
  wait_saver >/dev/null
  sleep 2
  wake_by_moving
  wait_scr_exit 20
  [ -f "$dir/ergebnis.zel" ] || fail "no results file"
  expect_eq "$(stat -c %s "$dir/ergebnis.zel")" 177 "size of three records"
  expect_eq "$(read_records "$dir/ergebnis.zel" | tr '\n' ' ')" "Sonne #FFFFFF Rot #FF0000 Gruen #00FF00 " "records"
  expect_eq "$(reg_get Datei)" "$(win_path "$dir/ergebnis.zel")" "Datei after the run"
  expect_bodies_moved "$dir/drei.zel" "$dir/ergebnis.zel"
  expect_records_readable_without_our_code "$dir/ergebnis.zel"
  ls "$dir" | grep -v -E '^(drei|ergebnis)\.zel$' && fail "a temporary file was left behind"

  # The next run continues from there, and may save over its own body file.
  cp "$dir/ergebnis.zel" "$E2E_OUT/first-results.zel"
  scr_start /s
  wait_saver >/dev/null
  keeps_for 1 "the second run reported an error" window_absent Zelor2
  wake_by_moving
  wait_scr_exit 20
  expect_eq "$(stat -c %s "$dir/ergebnis.zel")" 177 "size after the second run"
  cmp -s "$dir/ergebnis.zel" "$E2E_OUT/first-results.zel" && fail "the second run did not replace its results"
  true
}

test_a_fresh_machine_runs_the_carried_sample() {
  scr_start /s
  wait_saver >/dev/null
  keeps_for 2 "the first run reported an error" window_absent Zelor2
  [ -s "$(zelor_data_dir)/Voyager.zel" ] || fail "the carried Voyager.zel was not written"
  wake_by_moving
  wait_scr_exit 20
  expect_sky_written
}

expect_error_box_and_nothing_stored() {
  scr_start /s
  wait_window Zelor2 30 >/dev/null
  keys Return
  wait_scr_exit 20 1
  expect_eq "$(reg_get Breite)" ABSENT "nothing stored after a failed set-up"
}

test_a_missing_body_file_is_reported_and_not_created() {
  mkdir -p "$(zelor_data_dir)"
  local missing="$(zelor_data_dir)/fehlt.zel"
  reg_set Datei "$(win_path "$missing")"
  expect_error_box_and_nothing_stored
  [ -e "$missing" ] && fail "the missing body file was created"
  true
}

test_an_empty_body_file_is_reported() {
  mkdir -p "$(zelor_data_dir)"
  : >"$(zelor_data_dir)/leer.zel"
  reg_set Datei "$(win_path "$(zelor_data_dir)/leer.zel")"
  expect_error_box_and_nothing_stored
  expect_eq "$(stat -c %s "$(zelor_data_dir)/leer.zel")" 0 "the empty file is left as it was"
}

test_a_german_locale_stores_the_sky_with_a_decimal_comma() {
  export LANG=de_DE.UTF-8
  use_three_bodies
  reg_set Breite "2,5"
  reg_set Intervall "0,5"
  scr_start /s
  wait_saver >/dev/null
  keeps_for 1 "German number texts were not understood" window_absent Zelor2
  wake_by_moving
  wait_scr_exit 20
  [[ "$(reg_get Breite)" == *,* ]] || fail "sky width '$(reg_get Breite)' has no decimal comma"
}

run_tests
