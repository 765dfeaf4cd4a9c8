#!/usr/bin/env bash
# The module in the real saver daemon, set up as the README says: activated,
# it shows the orbits; deactivated, it ends the normal way and stores its end.
# And the daemon's settings dialog sets the module's options.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/daemon.sh"

test_the_daemon_shows_the_orbits_and_the_module_stores_its_end() {
  fresh_home daemon
  make_daemon_home
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

# The visible windows named "XScreenSaver: Zelor2 Settings" (the main
# window, and the settings dialog once open), one a line.
settings_windows() { xdotool search --onlyvisible --name '^XScreenSaver: Zelor2 Settings$' 2>/dev/null; }
settings_windows_are() { [ "$(settings_windows | wc -l)" -eq "$1" ]; }
# Zelor2's line of the programs list, once the dialog has saved the file.
saved_line() {
  grep -q '^# Written by xscreensaver-settings' "$DAEMON_HOME/.xscreensaver" &&
    grep -m 1 -E '^[[:space:]]*zelor2 ' "$DAEMON_HOME/.xscreensaver" | sed -E 's/^[[:space:]]+//; s/[[:space:]]*\\n\\$//'
}

# xscreensaver-settings, run by a user on the installed program, chooses
# Tempo 60 and Intervall 0.5 with the keyboard and saves them in the
# programs line.
test_the_daemons_settings_dialog_sets_tempo_and_interval() {
  fresh_home dialog
  daemon_home
  install_under_usr
  daemon_file '  "Zelor2"  zelor2 -root  \n\'
  own_daemon_home

  setsid bash -c "$(declare -f in_installed_tree); $(declare -p AS_DAEMON_USER INSTALLED DAEMON_HOME);
    in_installed_tree xscreensaver -no-splash" >"$TEST_DIR/daemon.log" 2>&1 &
  HELPER_GROUPS="$!"
  wait_for 15 "the daemon did not start" daemon_up
  setsid bash -c "$(declare -f in_installed_tree); $(declare -p AS_DAEMON_USER INSTALLED DAEMON_HOME);
    in_installed_tree dbus-run-session -- xscreensaver-settings" >"$TEST_DIR/settings.log" 2>&1 &
  HELPER_GROUPS+=" $!"
  wait_for 20 "xscreensaver-settings shows no window with Zelor2 chosen" settings_windows_are 1
  local main dialog line
  main=$(settings_windows)
  xdotool windowfocus --sync "$main" key alt+s || fail "xdotool cannot press \"Settings...\""
  wait_for 10 "\"Settings...\" opened no dialog" settings_windows_are 2
  dialog=$(settings_windows | grep -v -x "$main")
  # The dialog opens beside its window, off the screen: moved, it shows.
  xdotool windowmove "$dialog" 300 60 windowfocus --sync "$dialog" || fail "xdotool cannot reach the dialog"
  # From the body file's field: the interval's choices, two down (0,5 Tage);
  # the tempo's, three down (60 Schritte/s).
  xdotool key Tab Tab Down Down Tab Down Down Down || fail "xdotool key"
  # Past the accuracy's choices, the four switches, the description,
  # "Documentation...", "Reset to Defaults" and "Cancel" to "Save".
  xdotool key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space || fail "xdotool key"
  wait_for 10 "the dialog saved no line for zelor2" saved_line
  line=$(saved_line)
  expect_eq "$line" "zelor2 -root -interval 0.5 -tempo 60" "the programs line the dialog saved"
}

run_tests
