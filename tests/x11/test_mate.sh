#!/usr/bin/env bash
# The installed program in MATE's saver, mate-screensaver, which lists the
# savers of applications/screensavers and runs only programs in
# /usr/libexec/xscreensaver: activated, it shows the orbits; deactivated,
# the module ends the normal way and stores its end.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_hosts.sh"

# The session's side, run under dbus-run-session as the user: Zelor2 as the
# one theme, no lock; the saver activated; deactivated once the test leaves
# the file "deactivate".
session_script() {
  cat <<'SCRIPT'
gsettings set org.mate.screensaver mode single || exit 1
gsettings set org.mate.screensaver themes "['screensavers-zelor2']" || exit 1
gsettings set org.mate.screensaver lock-enabled false || exit 1
mate-screensaver --no-daemon --debug >"$HOME/mate-screensaver.log" 2>&1 &
for i in $(seq 100); do mate-screensaver-command --query >/dev/null 2>&1 && break; sleep 0.1; done
mate-screensaver-command --activate && echo activated
while [ ! -e "$HOME/deactivate" ]; do sleep 0.1; done
mate-screensaver-command --deactivate && echo deactivated
wait
SCRIPT
}

module_runs() { pgrep -g "$HELPER_GROUPS" -x zelor2 >/dev/null; }

test_mate_screensaver_runs_the_installed_module_and_shows_the_orbits() {
  fresh_home mate
  daemon_home
  install_under_usr
  local link=$INSTALLED/usr/libexec/xscreensaver/zelor2
  [ -L "$link" ] || fail "the install made no link /usr/libexec/xscreensaver/zelor2"
  [ "$(cd "$(dirname "$link")" && realpath "$(readlink "$link")")" == "$INSTALLED/usr/bin/zelor2" ] ||
    fail "/usr/libexec/xscreensaver/zelor2 leads to $(readlink "$link"), not to /usr/bin/zelor2"
  session_script >"$DAEMON_HOME/session.sh"
  own_daemon_home

  # XDG_CURRENT_DESKTOP as a MATE session sets it: the entry shows only there.
  setsid bash -c "$(declare -f in_installed_tree); $(declare -p AS_DAEMON_USER INSTALLED DAEMON_HOME);
    in_installed_tree XDG_CURRENT_DESKTOP=MATE dbus-run-session -- sh $DAEMON_HOME/session.sh" \
    >"$TEST_DIR/session.log" 2>&1 &
  HELPER_GROUPS=$!
  wait_for 20 "mate-screensaver was not activated: $(cat "$TEST_DIR/session.log")" \
    grep -q '^activated' "$TEST_DIR/session.log"
  wait_for 15 "no red orbit on the screen" red_drawn 1024x768+0+0
  module_runs || fail "the orbits are there but mate-screensaver runs no zelor2"
  touch "$DAEMON_HOME/deactivate"
  wait_for 10 "mate-screensaver was not deactivated" grep -q '^deactivated' "$TEST_DIR/session.log"
  wait_for 10 "the module still runs after the deactivation" eval '! module_runs'
  [ "$(conf_get Breite)" != ABSENT ] || fail "the end of the run did not store Breite"
}

run_tests
