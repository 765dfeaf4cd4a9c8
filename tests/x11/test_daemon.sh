#!/usr/bin/env bash
# The module in the real saver daemon, set up as the README says: activated,
# it shows the orbits; deactivated, it ends the normal way and stores its end.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/daemon.sh"

test_the_daemon_shows_the_orbits_and_the_module_stores_its_end() {
  fresh_home daemon
  make_daemon_home
  three_bodies "$DAEMON_HOME/drei.zel"
  printf '[Einstellungen]\nDatei=%s\n' "$DAEMON_HOME/drei.zel" >"$CONF"
  start_daemon
  wait_for 15 "no red orbit on the screen" red_drawn 1024x768+0+0
  module_gone && fail "the orbits are there but the module is not"
  deactivate_daemon

  grep -q 'Zelor2:' "$TEST_DIR/daemon.log" && fail "the module reported: $(grep 'Zelor2:' "$TEST_DIR/daemon.log")"
  [ "$(conf_get Breite)" != ABSENT ] || fail "the end of the run did not store Breite"
  [ "$(conf_get Höhe)" != ABSENT ] || fail "the end of the run did not store Höhe"
  stop_daemon
}

# The daemon shows a module that ends by itself as "crashed"; one that
# cannot run shows its own message instead, until the daemon ends it.
test_in_the_daemon_a_broken_setting_shows_its_message_not_a_crash() {
  fresh_home daemon-broken
  make_daemon_home
  printf '[Einstellungen]\nBreite=abc\n' >"$CONF"
  cp "$CONF" "$TEST_DIR/before.conf"
  start_daemon
  message_in_window "Bildschirmbreite Zahl"
  module_gone && fail "the message is there but the module is not"
  deactivate_daemon
  grep -q 'Zelor2: Die Einstellung .*Bildschirmbreite' "$TEST_DIR/daemon.log" || fail "the daemon's log lacks the message"
  cmp -s "$CONF" "$TEST_DIR/before.conf" || fail "the settings changed: $(diff "$TEST_DIR/before.conf" "$CONF")"
  stop_daemon
}

run_tests
