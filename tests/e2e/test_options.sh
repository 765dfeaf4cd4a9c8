#!/usr/bin/env bash
# The options dialog: what it shows, what OK, Escape and the two file buttons
# store. Runs in the locale of LANG_FOR_TEST (en_US.UTF-8 or de_DE.UTF-8).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The decimal separator Windows takes from the locale, and a number typed
# with blanks and superfluous zeros.
case "$LANG" in
  de_*) SEP=, ;;
  *) SEP=. ;;
esac

expect_nothing_stored() {
  local key
  for key in Breite Höhe Intervall Tempo speichern Datei Speicher; do expect_eq "$(reg_get "$key")" ABSENT "$key"; done
}

title_re() { options_title_re "$1"; }
default_title_re() { title_re "$(win_path "$(zelor_data_dir)/Voyager.zel")"; }
OPEN_RE='^(.{1,2}ffnen|Open)$'  # Ö is one or two characters, after the regex library's locale
SAVE_RE='^(Speichern als|Save As)$'

# Starts the dialog and gives it the keyboard; DIALOG holds its window id.
DIALOG=""
open_options() {
  scr_start "$@"
  DIALOG=$(wait_title "$(default_title_re)" 30) || exit 1
  sleep 0.3  # Wine takes the focus only once the window is fully mapped
  focus "$DIALOG"
}

# Presses a file button and gives the file dialog the keyboard; CHOOSER holds its id.
CHOOSER=""
open_chooser() {
  tabs "$1"
  keys space
  CHOOSER=$(wait_title "$2" 30) || exit 1
  sleep 0.3
  focus "$CHOOSER"
}

# The focus starts in txtBreite; these many Tabs reach each control.
TABS_TO_DATEI=5
TABS_TO_TEMPO=6
TABS_TO_SPEICHERN_BOX=7
TABS_TO_SPEICHER=8
tabs() { local i; for ((i = 0; i < $1; i++)); do keys Tab; done; }

# A .zel file the open dialog can choose.
make_body_file() {
  mkdir -p "$(zelor_data_dir)"
  cp "$ZELOR_ROOT/data/Voyager.zel" "$(zelor_data_dir)/$1"
}

test_slash_c_opens_the_dialog_with_the_default_body_file_in_its_title() {
  open_options /c
  keys Escape
  wait_scr_exit 20
}

test_an_empty_argument_text_opens_the_dialog() {
  open_options
  keys Escape
  wait_scr_exit 20
}

test_typed_values_and_enter_store_the_normalised_numbers() {
  open_options /c
  type_text " 2${SEP}50 "
  keys Tab
  type_text "003"
  keys Tab Tab  # past "OK" into txtIntervall, whose text the Tab selects
  type_text "0${SEP}250"
  keys Return
  wait_scr_exit 20
  expect_eq "$(reg_get Breite)" "2${SEP}5" "Breite"
  expect_eq "$(reg_get Höhe)" "3" "Höhe"
  expect_eq "$(reg_get Intervall)" "0${SEP}25" "Intervall"
  expect_eq "$(reg_get speichern)" "False" "speichern"
  expect_eq "$(reg_get rund)" "True" "rund"
  expect_eq "$(reg_get alleBildschirme)" "True" "alleBildschirme"
  expect_eq "$(reg_get Datei)" ABSENT "Datei"
}

test_a_ticked_box_stores_true() {
  open_options /c
  tabs $TABS_TO_SPEICHERN_BOX
  keys space Tab Tab space Return  # and, past "Lagerdatei...", "Kreise rund zeichnen" unticked
  wait_scr_exit 20
  expect_eq "$(reg_get speichern)" "True" "speichern"
  expect_eq "$(reg_get rund)" "False" "rund"
  expect_eq "$(reg_get alleBildschirme)" "True" "alleBildschirme"
  expect_eq "$(reg_get Breite)" "2" "Breite"
}

test_a_stored_speichern_that_is_no_truth_value_shows_unticked() {
  reg_set speichern "vielleicht"
  open_options /c
  keys Return
  wait_scr_exit 20
  expect_eq "$(reg_get speichern)" "False" "speichern"
}

test_a_typed_tempo_is_stored_normalised_and_shown_next_time() {
  open_options /c
  tabs $TABS_TO_TEMPO
  type_text " 1${SEP}50 "
  keys Return
  wait_scr_exit 20
  expect_eq "$(reg_get Tempo)" "1${SEP}5" "Tempo"
  expect_eq "$(reg_get Breite)" "2" "Breite"
  # The next opening shows the stored text; OK writes it back as it was.
  open_options /c
  keys Return
  wait_scr_exit 20
  expect_eq "$(reg_get Tempo)" "1${SEP}5" "Tempo after a second OK"
}

# After "OK" on a value the dialog refuses: its message shows, nothing is
# stored, and once the message is closed the dialog is still open.
ok_is_refused() {
  local box
  box=$(wait_window Zelor2 20) || exit 1
  expect_nothing_stored
  focus "$box"
  keys Return
  wait_window_gone Zelor2 20
  scr_running || fail "the dialog closed${1:+ after $1}"
}

test_a_negative_tempo_shows_the_message_and_stores_nothing() {
  open_options /c
  tabs $TABS_TO_TEMPO
  type_text "-5"
  keys Return
  ok_is_refused
  focus "$DIALOG"
  keys Escape
  wait_scr_exit 20
  expect_nothing_stored
}

test_escape_stores_nothing() {
  open_options /c
  type_text "7"
  keys Tab
  type_text "8"
  keys Escape
  wait_scr_exit 20
  expect_nothing_stored
}

test_a_non_number_shows_the_message_stores_nothing_and_keeps_the_dialog() {
  open_options /c
  type_text "abc"
  keys Return
  ok_is_refused
  # The focus is back in txtBreite with "abc" selected: typing replaces it.
  focus "$DIALOG"
  type_text "4"
  keys Return
  wait_scr_exit 20
  expect_eq "$(reg_get Breite)" "4" "Breite"
}

# The run refuses a sky of 0, so "OK" does; "1e400" is a number, only too
# large. Each time the message shows, nothing is stored, and the dialog stays
# with the field's text selected: a number typed then replaces it.
test_a_width_of_0_or_too_large_shows_the_message_keeps_the_dialog_and_stores_nothing() {
  local typed
  open_options /c
  for typed in 0 1e400; do
    focus "$DIALOG"
    type_text "$typed"  # into txtBreite, its text selected
    keys Return
    ok_is_refused "$typed"
  done
  focus "$DIALOG"
  type_text "4"
  keys Return
  wait_scr_exit 20
  expect_eq "$(reg_get Breite)" "4" "Breite"
}

test_a_chosen_body_file_changes_title_and_datei_at_once_and_abbrechen_keeps_it() {
  local chosen i
  make_body_file Mond.zel
  chosen=$(win_path "$(zelor_data_dir)/Mond.zel")
  open_options /c
  type_text "9"  # an edit that "Abbrechen" throws away
  open_chooser $TABS_TO_DATEI "$OPEN_RE"
  type_text "$chosen"
  keys Return
  wait_title "$(title_re "$chosen")" 20 >/dev/null || exit 1
  expect_eq "$(reg_get Datei)" "$chosen" "Datei while the dialog is open"
  focus "$DIALOG"
  keys Escape
  wait_scr_exit 20
  expect_eq "$(reg_get Datei)" "$chosen" "Datei"
  expect_eq "$(reg_get Breite)" ABSENT "Breite"
}

test_cancelling_the_open_dialog_changes_nothing() {
    make_body_file Mond.zel
  open_options /c
  open_chooser $TABS_TO_DATEI "$OPEN_RE"
  type_text "Mond.zel"
  keys Escape
  wait_title_gone "$OPEN_RE" 20
  keeps_for 1 "the title changed" window_like "$(default_title_re)"
  expect_nothing_stored
  focus "$DIALOG"
  keys Escape
  wait_scr_exit 20
  expect_nothing_stored
}

test_a_chosen_results_file_changes_speicher_but_not_the_title() {
  local chosen i
  mkdir -p "$(zelor_data_dir)"
  chosen=$(win_path "$(zelor_data_dir)/Ergebnis.zel")
  open_options /c
  open_chooser $TABS_TO_SPEICHER "$SAVE_RE"
  type_text "$chosen"
  keys Return
  wait_title_gone "$SAVE_RE" 20
  for ((i = 0; i < 100; i++)); do
    [ "$(reg_get Speicher)" == "$chosen" ] && break
    sleep 0.1
  done
  expect_eq "$(reg_get Speicher)" "$chosen" "Speicher"
  keeps_for 1 "the title changed" window_like "$(default_title_re)"
  expect_eq "$(reg_get Datei)" ABSENT "Datei"
  focus "$DIALOG"
  keys Escape
  wait_scr_exit 20
}

run_tests
