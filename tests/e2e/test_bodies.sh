#!/usr/bin/env bash
# A system of one's own: a body file made with zelor-bodies from what a
# German spreadsheet saves runs in the saver, and the results file it leaves
# reads back with zelor-bodies show.
source "$(dirname "$0")/lib.sh"

test_a_spreadsheet_csv_runs_and_show_lists_the_bodies_that_stay() {
  local dir out
  dir=$(zelor_data_dir)
  mkdir -p "$dir"
  # As a German spreadsheet saves "CSV (Trennzeichen-getrennt)": semicolons,
  # decimal commas, thousands dots, CR LF, and code page 1252 (\xE4 is "ä").
  # A sun, a planet with an umlaut in its name, and a comet far above the
  # escape speed there (about 94 km/s), which leaves at once.
  printf '%s\r\n' 'name;mass_earth;x_m;y_m;speed_m_s;direction_deg;color' \
    'Sonne;332.946;0;0;0;0;#FFDC30' \
    $'Erdm\xE4nnchen;1;1,5E+11;0;29.800;-90;#3C8CFF' \
    'Komet;0,001;-3E+10;0;300.000;90;#FFFFFF' >"$E2E_OUT/eigenes.csv"
  out=$(zelor_bodies from-csv "$E2E_OUT/eigenes.csv" "$dir/eigenes.zel") || fail "from-csv refused the file: $out"
  reg_set Datei "$(win_path "$dir/eigenes.zel")"
  reg_set Speicher "$(win_path "$dir/ergebnis.zel")"
  reg_set speichern True
  scr_start /s
  wait_saver >/dev/null
  keeps_for 2 "the run reported an error" window_absent Zelor2
  pointer 100 100
  sleep 0.3
  pointer 300 250
  wait_scr_exit 20
  [ -f "$dir/ergebnis.zel" ] || fail "no results file"
  out=$(zelor_bodies show "$dir/ergebnis.zel") || fail "show refuses the results: $out"
  expect_eq "$(awk '$1 ~ /^[0-9]+$/ && NF >= 8 { print $2 }' <<<"$out" | tr '\n' ' ')" "Sonne Erdmännchen " "bodies that stay"
}

run_tests
