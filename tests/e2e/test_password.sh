#!/usr/bin/env bash
# The password lock: setting the password in mode "a", and the query that
# guards the end of a saver run.
source "$(dirname "$0")/lib.sh"

# The stored form of a password of plain ASCII letters: each code becomes
# (code * 9 + 13) mod 256. Only passwords whose stored form is printable ASCII
# are used, so `reg query` shows it unchanged.
encode_ascii() {
  local text=$1 out="" i code enc
  for ((i = 0; i < ${#text}; i++)); do
    printf -v code '%d' "'${text:i:1}"
    enc=$(((code * 9 + 13) % 256))
    ((enc > 32 && enc < 127)) || fail "test password '$text' does not encode to printable text"
    out+=$(printf "\\$(printf '%03o' "$enc")")
  done
  echo "$out"
}

PASSWORD=xyAZ

# A saver run whose input goes to the saver window. The pointer starts on the
# screen's centre, which is the saver's origin, so the movement after it only
# records the position.
start_saver() {
  expect_sky_unwritten
  pointer 512 384
  scr_start /s
  SAVER=$(wait_saver) || exit 1
  sleep 0.5
}

# Moves the pointer back and forth around the given place until the query
# shows: the saver handles its input only between steps, so two quick moves
# may reach it as one.
wake_by_pointer() {
  local i
  for ((i = 0; i < 20; i++)); do
    pointer "$1" "$1"
    sleep 0.3
    window_shown Passwort-Abfrage && return 0
    pointer $(($1 + 100)) $(($1 + 100))
    sleep 0.3
    window_shown Passwort-Abfrage && return 0
  done
  fail "no pointer movement woke the saver"
}

open_query() {
  QUERY=$(wait_window Passwort-Abfrage 15) || exit 1
  focus "$QUERY"
  sleep 0.3
}

expect_run_going_on() {
  wait_window_gone Passwort-Abfrage 10
  keeps_for 2 "the run ended" saver_alive
}

# The run ended as a run should: the program exited normally and stored the
# sky at the end.
expect_run_ended() {
  wait_scr_exit 30
  expect_sky_written
}

open_entry() {
  scr_start /a
  ENTRY=$(wait_window Passwort-Eingabe 30) || exit 1
  focus "$ENTRY"
  sleep 0.3
}

test_encoding_helper_agrees_with_the_arithmetic() {
  expect_eq "$(encode_ascii xyAZ)" "ENV7" "encoded xyAZ"
}

test_different_entries_show_the_message_and_store_nothing() {
  open_entry
  type_text "$PASSWORD"
  keys Tab
  type_text xyAz
  keys Return
  local box
  box=$(wait_window Zelor2 10) || exit 1
  focus "$box"
  keys Return
  wait_window_gone Zelor2 10
  window_shown Passwort-Eingabe || fail "the entry closed after the mismatch"
  expect_eq "$(reg_get Passwort)" ABSENT "Passwort after a mismatch"
  # Escape still cancels after the message, storing nothing.
  focus "$ENTRY"
  keys Escape
  wait_scr_exit 15
  expect_eq "$(reg_get Passwort)" ABSENT "Passwort after Escape"
}

test_equal_entries_store_the_encoded_password() {
  reg_set Passwort "alt"
  open_entry
  type_text "$PASSWORD"
  keys Tab
  type_text "$PASSWORD"
  keys Return
  wait_scr_exit 15
  expect_eq "$(reg_get Passwort)" "$(encode_ascii "$PASSWORD")" "stored Passwort"
}

test_both_boxes_empty_store_the_empty_text() {
  reg_set Passwort "$(encode_ascii "$PASSWORD")"
  open_entry
  keys Return
  wait_scr_exit 15
  expect_eq "$(reg_get Passwort)" "" "stored Passwort"
}

test_escape_stores_nothing() {
  open_entry
  type_text "$PASSWORD"
  keys Tab
  type_text "$PASSWORD"
  keys Escape
  wait_scr_exit 15
  expect_eq "$(reg_get Passwort)" ABSENT "Passwort after Escape"
}

test_wrong_entry_goes_on_and_the_query_keeps_it() {
  reg_set Passwort "$(encode_ascii "$PASSWORD")"
  start_saver
  wake_by_pointer 100
  open_query
  keys Escape  # does nothing in the query
  keeps_for 1 "Escape closed the query" window_shown Passwort-Abfrage
  keys Tab
  type_text "${PASSWORD:0:2}"
  keys Return
  expect_run_going_on
  # Shown again, the box still holds the first half and has the focus.
  wake_by_pointer 300
  open_query
  keys End
  type_text "${PASSWORD:2}"
  keys Return
  expect_run_ended
}

test_right_entry_ends_the_run() {
  reg_set Passwort "$(encode_ascii "$PASSWORD")"
  start_saver
  wake_by_pointer 100
  open_query
  keys Tab
  type_text "$PASSWORD"
  keys Return
  expect_run_ended
}

test_empty_entry_does_not_match_a_stored_password() {
  reg_set Passwort "$(encode_ascii "$PASSWORD")"
  start_saver
  focus "$SAVER"
  type_text q
  open_query
  keys Return  # OK has the focus: an empty entry
  expect_run_going_on
}

test_without_password_a_typed_character_asks_and_empty_ok_ends() {
  start_saver
  focus "$SAVER"
  type_text q
  open_query
  # OK holds the focus, so these letters do not reach the box and Enter
  # confirms an empty entry.
  type_text abc
  keys Return
  expect_run_ended
}

test_alt_f4_asks_and_closing_the_query_loses_its_text() {
  reg_set Passwort "$(encode_ascii "$PASSWORD")"
  start_saver
  focus "$SAVER"
  keys alt+F4
  open_query
  keys Tab
  type_text "$PASSWORD"
  keys alt+F4  # the query's close box: no comparison
  expect_run_going_on
  # A new query starts empty with OK focused, so Enter is a wrong entry.
  focus "$SAVER"
  type_text q
  open_query
  keys Return
  expect_run_going_on
  focus "$SAVER"
  type_text q
  open_query
  keys Tab
  type_text "$PASSWORD"
  keys Return
  expect_run_ended
}

test_a_key_that_types_nothing_asks_only_when_locked() {
  start_saver
  focus "$SAVER"
  keys shift F5
  keeps_for 2 "a key without a character asked although no password is stored" window_absent Passwort-Abfrage
  keeps_for 0 "the run ended" saver_alive
  reg_set Passwort "$(encode_ascii "$PASSWORD")"
  keys F5
  open_query
  keys Tab
  type_text "$PASSWORD"
  keys Return
  expect_run_ended
}

test_password_with_umlauts_set_in_mode_a_unlocks_a_run() {
  open_entry
  type_text "Grüße"
  keys Tab
  type_text "Grüße"
  keys Return
  wait_scr_exit 15
  [ "$(reg_get Passwort)" != ABSENT ] || fail "nothing stored"
  start_saver
  focus "$SAVER"
  type_text q
  open_query
  keys Tab
  type_text "Grüsse"
  keys Return
  expect_run_going_on
  focus "$SAVER"
  type_text q
  open_query
  keys ctrl+a BackSpace
  type_text "Grüße"
  keys Return
  expect_run_ended
}

run_tests
