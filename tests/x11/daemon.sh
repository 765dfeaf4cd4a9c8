# Sourced by the X11 test files that run the module in the real saver daemon,
# set up as the README says, on the X server in DISPLAY. The daemon launches
# no module while it runs as root, so under root (as on the build machine) it
# runs as a throw-away user of its own. Run these under
# `flock /tmp/zelor-daemon.lock`.
source "$(dirname "${BASH_SOURCE[0]}")/saver_hosts.sh"

daemon_up() { xscreensaver-command -time >/dev/null 2>&1; }
daemon_down() { ! daemon_up; }
two_modules() { [ "$(module_pids | wc -l)" -eq 2 ]; }
module_pids() { pgrep -f "^$DAEMON_HOME/zelor2 "; }
module_gone() { ! module_pids >/dev/null; }

# The daemon's file in the home, with the programs list given.
daemon_file() {
  printf '%s\n' "mode: one" "selected: 0" "lock: False" "fade: False" "unfade: False" "splash: False" \
    "timeout: 10:00:00" "dpmsEnabled: False" 'programs: \' "$1" >"$DAEMON_HOME/.xscreensaver"
}

# The home of saver_hosts.sh with a copy of the built program and
# ~/.xscreensaver holding the README's line.
make_daemon_home() {
  daemon_home
  cp "$ZELOR2" "$DAEMON_HOME/zelor2"
  # The README's line, with the built program in place of the installed one.
  local line
  line=$(grep -m 1 '^ *"Zelor2" ' "$ZELOR_ROOT/README.md") || fail "the README has no line for the daemon"
  line=${line%\\}
  [[ "$line" == *" zelor2 "* ]] || fail "the README's line does not start zelor2: $line"
  daemon_file "${line/ zelor2 / $DAEMON_HOME/zelor2 }"
}

# Starts the daemon on the home's files, its log in $TEST_DIR/daemon.log, and
# activates it.
start_daemon() {
  wait_for 10 "a daemon of an earlier test still answers" daemon_down
  own_daemon_home
  as_daemon_user env -i HOME="$DAEMON_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin \
    xscreensaver -no-splash -verbose >"$TEST_DIR/daemon.log" 2>&1 &
  HELPER_PID=$!
  wait_for 15 "the daemon did not start" daemon_up
  xscreensaver-command -activate >/dev/null || fail "xscreensaver-command -activate"
}

deactivate_daemon() {
  xscreensaver-command -deactivate >/dev/null || fail "xscreensaver-command -deactivate"
  wait_for 10 "the module still runs after the deactivation" module_gone
}

# Ends the daemon, so that the next test's daemon is not taken for a second
# one on the display; the cleanup kills it where a test fails before.
stop_daemon() {
  xscreensaver-command -exit >/dev/null || fail "xscreensaver-command -exit"
  wait_for 10 "the daemon still answers after -exit" daemon_down
}

# For the cleanup after a test that failed with its daemon running: killed,
# the daemon would leave its windows, and their modules, over the screen.
cleanup_daemon() {
  [ -n "$HELPER_PID" ] && daemon_up || return 0
  xscreensaver-command -exit >/dev/null 2>&1
  local i
  for ((i = 0; i < 100; i++)); do
    daemon_up || return 0
    sleep 0.1
  done
}
