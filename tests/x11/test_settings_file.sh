#!/usr/bin/env bash
# The settings file of the native program: what a run given options for
# itself leaves alone, and a file as people keep it (a byte-order mark, a
# symbolic link into a dotfile folder).
source "$(dirname "$0")/lib.sh"

# Both tests' skies put the red orbit inside the screen's middle, where a
# look costs a quarter of one at the whole screen.
middle=512x384+256+192

test_a_run_given_its_bodies_stores_neither_sky_nor_body_file() {
  fresh_home one-run
  three_bodies "$TEST_DIR/work/drei.zel"
  cp "$TEST_DIR/work/drei.zel" "$TEST_DIR/work/gespeichert.zel"
  mkdir -p "$(dirname "$CONF")"
  # A sky wider than the orbits: the end of the run would fit it to them.
  printf '[Einstellungen]\nBreite=3.5\nHöhe=3\nDatei=%s\nSpeicher=%s\nspeichern=True\n' \
    "$TEST_DIR/work/gespeichert.zel" "$TEST_DIR/work/ergebnis.zel" >"$CONF"
  cp "$CONF" "$TEST_DIR/before.conf"
  z_start -root -file "$TEST_DIR/work/drei.zel"
  # The file's own sky puts the red orbit at the screen's edges.
  wait_for 20 "no red orbit on the root" red_drawn 1024x768+0+0
  kill -TERM "$Z_PID"
  wait_z_exit 10
  expect_eq "$(stat -c %s "$TEST_DIR/work/ergebnis.zel" 2>/dev/null)" $((3 * 59)) "size of the results asked for"
  cmp -s "$CONF" "$TEST_DIR/before.conf" || fail "the settings changed: $(diff "$TEST_DIR/before.conf" "$CONF")"
}

test_a_linked_file_with_a_byte_order_mark_is_read_and_written_through_the_link() {
  fresh_home linked
  three_bodies "$TEST_DIR/work/drei.zel"
  mkdir -p "$TEST_DIR/dotfiles" "$(dirname "$CONF")"
  local real=$TEST_DIR/dotfiles/zelor2.conf
  printf '\xEF\xBB\xBF[Einstellungen]\r\nBreite=3.5\r\nHöhe=3\r\nDatei=%s\r\nSpeicher=%s\r\nspeichern=True\r\n' \
    "$TEST_DIR/work/drei.zel" "$TEST_DIR/work/ergebnis.zel" >"$real"
  ln -s ../../dotfiles/zelor2.conf "$CONF"
  z_start -root
  wait_for 20 "no red orbit on the root" red_drawn $middle
  kill -TERM "$Z_PID"
  wait_z_exit 10
  [ ! -e "$DATA/Voyager.zel" ] || fail "Datei was not read: the default body file was written"
  [ -L "$CONF" ] || fail "the link was replaced by a file"
  expect_eq "$(head -c 3 "$real" | od -An -tx1 | tr -d ' ')" efbbbf "the file's first bytes"
  expect_eq "$(grep -c 'Einstellungen' "$real")" 1 "sections in the file"
  # The saved run's sky fits the orbits, and the next run goes on from its results.
  grep -qE '^Breite=1\.[4-9]' "$real" || fail "the sky was not stored through the link: $(cat "$real")"
  grep -qx "Datei=$TEST_DIR/work/ergebnis.zel" "$real" || fail "Datei was not stored through the link: $(cat "$real")"
  expect_eq "$(find "$TEST_DIR/dotfiles" "$(dirname "$CONF")" -name '*.tmp' | wc -l)" 0 "temporary files left"
}

run_tests
