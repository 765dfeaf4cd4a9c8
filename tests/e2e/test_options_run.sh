#!/usr/bin/env bash
# What is set in the options dialog is what the next saver run uses.
source "$(dirname "$0")/lib.sh"

# "Genauigkeit", the dialog's last field, typed in the dialog: 16 substeps
# draw Mercury's band thinner than the classic step does.
test_accuracy_set_in_the_dialog_draws_mercurys_band_thinner() {
  local dir colour accuracy shot width widths=()
  dir=$(zelor_data_dir)
  mkdir -p "$dir"
  cp "$ZELOR_ROOT/data/InnerPlanets.zel" "$dir/"
  colour=$(body_colour "$dir/InnerPlanets.zel" Merkur) || exit 1
  reg_set Datei "$(win_path "$dir/InnerPlanets.zel")"
  reg_set Tempo 1000
  for accuracy in 1 16; do
    reg_set Breite 1
    reg_set Höhe 1  # the end of the last run stored the sky it grew to
    scr_start /c
    focus "$(wait_title "$(options_title_re "$(win_path "$dir/InnerPlanets.zel")")" 30)"
    keys shift+Tab shift+Tab  # back past chkNaeherung into txtGenauigkeit, its text selected
    type_text "$accuracy"
    keys Return
    wait_scr_exit 20
    expect_eq "$(reg_get Genauigkeit)" "$accuracy" "Genauigkeit stored by OK"
    scr_start /s
    wait_saver >/dev/null
    wait_for 20 "no Mercury (#$colour) drawn at accuracy $accuracy" band_shown "$E2E_OUT/poll.png" "$colour"
    sleep 3  # the run's length: about 3000 steps, 16 years
    shot=$E2E_OUT/accuracy-$accuracy.png
    screenshot "$shot"
    pointer 100 100
    sleep 0.3
    pointer 300 250
    wait_scr_exit 20
    width=$(band_width "$shot" "$colour") || fail "cannot read $shot"
    widths+=("$width")
  done
  expect_thinner_band "${widths[@]}"
}

test_a_saver_run_uses_the_values_set_in_the_dialog() {
  local dir
  dir=$(zelor_data_dir)
  mkdir -p "$dir"
  write_bodies "$dir/zwei.zel" "Sonne 332946 0 0 0 0 0x0000FFFF" "Rot 1 -1.05e11 0 35500 270 0x000000FF"
  reg_set Datei "$(win_path "$dir/zwei.zel")"

  scr_start /c
  local dialog
  dialog=$(wait_title "$(options_title_re "$(win_path "$dir/zwei.zel")")" 30)
  sleep 0.3
  focus "$dialog"
  type_text "3"          # txtBreite, its text selected
  keys Tab
  type_text "3"          # txtHoehe
  keys Tab Tab
  type_text "1"          # txtIntervall
  keys Tab Tab Tab Tab space # past Abbrechen, Zelor-Datei and txtTempo: chkSpeichern ticked
  keys Return
  wait_scr_exit 20
  expect_eq "$(reg_get speichern)" True "speichern"
  reg_set rund False  # the places below are those of the sky stretched to the screen

  scr_start /s
  wait_saver >/dev/null
  sleep 2
  local shot=$E2E_OUT/options-run.png
  screenshot "$shot"
  pointer 100 100
  sleep 0.3
  pointer 300 250
  wait_scr_exit 20
  # A 3 AU wide sky puts the red body's start, 0.7 AU left of the sun, at
  # x = (1.5 - 0.7) / 3 * 1024.
  expect_eq "$(pixel "$shot" 273 384)" FF0000 "red body's start in a 3 AU sky"
  expect_eq "$(pixel "$shot" 512 384)" FFFF00 "sun at the centre"
  [ -s "$dir/Temp.zel" ] || fail "saving was on but no results file was written"
  expect_eq "$(reg_get Datei)" "$(win_path "$dir/Temp.zel")" "Datei follows the results"
  # Saved, the next sky fits the bodies that stay: twice the red body's
  # farthest reach along X, a little over 0.7 AU, inside the 3 AU set.
  local width
  width=$(reg_get Breite)
  python3 -c 'import sys; sys.exit(0 if 1.4 <= float(sys.argv[1]) < 3 else 1)' "$width" ||
    fail "the sky after the run is '$width' AU wide, not fitted to the red body's orbit"

  # The dialog shows the stored sky as a number one can read. Each field's
  # whole text, selected when the focus arrives, goes through the clipboard.
  command -v xclip >/dev/null || fail "xclip is not installed"
  scr_start /c
  dialog=$(wait_title "$(options_title_re "$(win_path "$dir/Temp.zel")")" 30)
  sleep 0.3
  focus "$dialog"
  local key shown
  for key in Breite Höhe; do
    : | xclip -selection clipboard
    keys ctrl+c
    sleep 0.5
    shown=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
    expect_eq "$shown" "$(reg_get "$key")" "the dialog's $key"
    (($(tr -cd 0-9 <<<"$shown" | wc -c) <= 4)) || fail "the dialog shows $key as '$shown', more than 4 digits"
    keys Tab  # to txtHoehe, its text selected
  done
  keys Escape
  wait_scr_exit 20
}

# After a run of another system grew the stored sky to 55.4 AU, a newly
# chosen BinaryStar.zel brings a sky that holds the binary, and the next run
# draws it large.
test_a_chosen_body_file_brings_a_sky_that_holds_its_bodies() {
  local dir chosen dialog chooser shot width
  dir=$(zelor_data_dir)
  mkdir -p "$dir"
  cp "$ZELOR_ROOT/data/BinaryStar.zel" "$dir/BinaryStar.zel"
  chosen=$(win_path "$dir/BinaryStar.zel")
  reg_set Breite 55.4
  reg_set Höhe 41.6
  scr_start /c
  dialog=$(wait_title "$(options_title_re "$(win_path "$dir/Voyager.zel")")" 30) || exit 1
  sleep 0.3
  focus "$dialog"
  keys Tab Tab Tab Tab Tab space  # "Zelor-Datei..."
  chooser=$(wait_title '^(.{1,2}ffnen|Open)$' 30) || exit 1
  sleep 0.3
  focus "$chooser"
  type_text "$chosen"
  keys Return
  wait_title "$(options_title_re "$chosen")" 20 >/dev/null || exit 1
  focus "$dialog"
  keys Tab Return  # into txtTempo, where Enter is "OK"
  wait_scr_exit 20
  local key
  for key in Breite Höhe; do
    python3 -c 'import sys; sys.exit(0 if 0 < float(sys.argv[1]) < 5 else 1)' "$(reg_get "$key")" ||
      fail "$key is '$(reg_get "$key")' after choosing BinaryStar.zel, not a sky below 5 AU"
  done

  scr_start /s
  wait_saver >/dev/null
  sleep 3
  shot=$E2E_OUT/options-chosen-sky.png
  screenshot "$shot"
  pointer 100 100
  sleep 0.3
  pointer 300 250
  wait_scr_exit 20
  width=$(drawn_width "$shot")
  ((width >= 256)) || fail "the binary is drawn $width pixels across, less than a quarter of the screen"
}

run_tests
