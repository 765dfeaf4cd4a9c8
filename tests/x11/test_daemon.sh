#!/usr/bin/env bash
# The module in the real saver daemon, set up as the README says: activated,
# it shows the orbits; deactivated, it ends the normal way and stores its end.
# And the daemon's settings dialog sets the module's options.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_hosts.sh"

daemon_up() { xscreensaver-command -time >/dev/null 2>&1; }
module_gone() { ! pgrep -f "^$DAEMON_HOME/zelor2 " >/dev/null; }

# The lines for the daemon's file, with the programs list given.
daemon_file() {
  printf '%s\n' "mode: one" "selected: 0" "lock: False" "fade: False" "unfade: False" "splash: False" \
    "timeout: 10:00:00" "dpmsEnabled: False" 'programs: \' "$1" >"$DAEMON_HOME/.xscreensaver"
}

test_the_daemon_shows_the_orbits_and_the_module_stores_its_end() {
  fresh_home daemon
  daemon_home
  cp "$ZELOR2" "$DAEMON_HOME/zelor2"

  # The README's line, with the built program in place of the installed one.
  local line
  line=$(grep -m 1 '^ *"Zelor2" ' "$ZELOR_ROOT/README.md") || fail "the README has no line for the daemon"
  line=${line%\\}
  [[ "$line" == *" zelor2 "* ]] || fail "the README's line does not start zelor2: $line"
  daemon_file "${line/ zelor2 / $DAEMON_HOME/zelor2 }"
  own_daemon_home

  as_daemon_user env -i HOME="$DAEMON_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin \
    xscreensaver -no-splash -verbose >"$TEST_DIR/daemon.log" 2>&1 &
  HELPER_PID=$!
  wait_for 15 "the daemon did not start" daemon_up
  xscreensaver-command -activate >/dev/null || fail "xscreensaver-command -activate"
  wait_for 15 "no red orbit on the screen" red_drawn 1024x768+0+0
  module_gone && fail "the orbits are there but the module is not"
  xscreensaver-command -deactivate >/dev/null || fail "xscreensaver-command -deactivate"
  wait_for 10 "the module still runs after the deactivation" module_gone

  grep -q 'Zelor2:' "$TEST_DIR/daemon.log" && fail "the module reported: $(grep 'Zelor2:' "$TEST_DIR/daemon.log")"
  [ "$(conf_get Breite)" != ABSENT ] || fail "the end of the run did not store Breite"
  [ "$(conf_get Höhe)" != ABSENT ] || fail "the end of the run did not store Höhe"
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
  # Past the three switches, the description, "Documentation...", "Reset to
  # Defaults" and "Cancel" to "Save".
  xdotool key Tab Tab Tab Tab Tab Tab Tab Tab space || fail "xdotool key"
  wait_for 10 "the dialog saved no line for zelor2" saved_line
  line=$(saved_line)
  expect_eq "$line" "zelor2 -root -interval 0.5 -tempo 60" "the programs line the dialog saved"
}

run_tests
