#!/usr/bin/env bash
# The module in the real saver daemon, set up as the README says: activated,
# it shows the orbits; deactivated, it ends the normal way and stores its end.
source "$(dirname "$0")/lib.sh"

# The daemon launches no module while it runs as root, so under root (as on
# the build machine) it runs as a throw-away user of its own.
DAEMON_USER=zelor2test
as_daemon_user() {
  if [ "$(id -u)" -ne 0 ]; then "$@"; return; fi
  setpriv --reuid="$DAEMON_USER" --regid="$DAEMON_USER" --clear-groups "$@"
}

daemon_up() { xscreensaver-command -time >/dev/null 2>&1; }
module_gone() { ! pgrep -f "^$DAEMON_HOME/zelor2 " >/dev/null; }

test_the_daemon_shows_the_orbits_and_the_module_stores_its_end() {
  fresh_home daemon
  if [ "$(id -u)" -eq 0 ] && ! id "$DAEMON_USER" >/dev/null 2>&1; then
    useradd --system --no-create-home --shell /usr/sbin/nologin "$DAEMON_USER" || fail "cannot create $DAEMON_USER"
  fi
  # A home that user can reach (a clone under /root is out of its reach),
  # holding a copy of the built program.
  DAEMON_HOME=$(mktemp -d /tmp/zelor2-daemon.XXXXXX)
  CLEANUP_DIR=$DAEMON_HOME
  cp "$ZELOR2" "$DAEMON_HOME/zelor2"
  three_bodies "$DAEMON_HOME/drei.zel"
  CONF=$DAEMON_HOME/.config/zelor2/zelor2.conf
  mkdir -p "$(dirname "$CONF")"
  printf '[Einstellungen]\nDatei=%s\n' "$DAEMON_HOME/drei.zel" >"$CONF"

  # The README's line, with the built program in place of the installed one.
  local line
  line=$(grep -m 1 '^ *"Zelor2" ' "$ZELOR_ROOT/README.md") || fail "the README has no line for the daemon"
  line=${line%\\}
  [[ "$line" == *" zelor2 "* ]] || fail "the README's line does not start zelor2: $line"
  line=${line/ zelor2 / $DAEMON_HOME/zelor2 }
  printf '%s\n' "mode: one" "selected: 0" "lock: False" "fade: False" "unfade: False" "splash: False" \
    "timeout: 10:00:00" "dpmsEnabled: False" 'programs: \' "$line" >"$DAEMON_HOME/.xscreensaver"
  [ "$(id -u)" -ne 0 ] || chown -R "$DAEMON_USER:" "$DAEMON_HOME"

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

run_tests
