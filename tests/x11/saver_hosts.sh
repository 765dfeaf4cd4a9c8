# Sourced by the tests that run the module in a real saver host (the
# xscreensaver daemon and its settings dialog, mate-screensaver): a
# throw-away user, a home it can reach, and the program installed as a
# package installs it, under /usr.

# No saver host launches a module for root, so under root (as on the build
# machine) they run as a throw-away user of their own.
DAEMON_USER=zelor2test
AS_DAEMON_USER=()
[ "$(id -u)" -ne 0 ] || AS_DAEMON_USER=(setpriv --reuid="$DAEMON_USER" --regid="$DAEMON_USER" --clear-groups)
as_daemon_user() { "${AS_DAEMON_USER[@]}" "$@"; }

# A home the user can reach (a clone under /root is out of its reach) in
# DAEMON_HOME, holding three bodies as its settings' "Datei"; CONF is its
# settings file.
daemon_home() {
  if [ "$(id -u)" -eq 0 ] && ! id "$DAEMON_USER" >/dev/null 2>&1; then
    useradd --system --no-create-home --shell /usr/sbin/nologin "$DAEMON_USER" || fail "cannot create $DAEMON_USER"
  fi
  DAEMON_HOME=$(mktemp -d /tmp/zelor2-daemon.XXXXXX)
  CLEANUP_DIR=$DAEMON_HOME
  three_bodies "$DAEMON_HOME/drei.zel"
  CONF=$DAEMON_HOME/.config/zelor2/zelor2.conf
  mkdir -p "$(dirname "$CONF")"
  printf '[Einstellungen]\nDatei=%s\n' "$DAEMON_HOME/drei.zel" >"$CONF"
}
own_daemon_home() { [ "$(id -u)" -ne 0 ] || chown -R "$DAEMON_USER:" "$DAEMON_HOME"; }

# The build installed under the prefix /usr into $DAEMON_HOME/installed, as
# the package lays it out.
install_under_usr() {
  INSTALLED=$DAEMON_HOME/installed
  DESTDIR=$INSTALLED cmake --install "${ZELOR_BUILD:-$ZELOR_ROOT/build/native}" --prefix /usr \
    >"$TEST_DIR/install.log" 2>&1 || fail "cmake --install: $(cat "$TEST_DIR/install.log")"
  chmod -R a+rX "$INSTALLED"
}

# Runs the command as the throw-away user with a clean environment (HOME,
# DISPLAY, PATH and the VAR=VALUE given) where /usr holds the installed files
# over the machine's own: an overlay in a mount namespace of its own, so the
# machine's /usr stays as it was. Exit status 97 when the overlay fails.
#   in_installed_tree [VAR=VALUE...] COMMAND ARGUMENT...
in_installed_tree() {
  unshare --mount --propagation private sh -c \
    'mount -t overlay overlay -o lowerdir="$0/usr:/usr" /usr || exit 97; exec "$@"' "$INSTALLED" \
    "${AS_DAEMON_USER[@]}" env -i HOME="$DAEMON_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"
}

# Ends the process groups in HELPER_GROUPS (each started with setsid), the
# hosts' helpers with them (a session bus, the module).
end_helper_groups() {
  local group i
  for group in ${HELPER_GROUPS:-}; do kill -- -"$group" 2>/dev/null; done
  for group in ${HELPER_GROUPS:-}; do
    for ((i = 0; i < 50; i++)); do
      pgrep -g "$group" >/dev/null || break
      sleep 0.1
    done
    kill -KILL -- -"$group" 2>/dev/null
  done
  HELPER_GROUPS=""
}
