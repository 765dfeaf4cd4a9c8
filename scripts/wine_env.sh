# Sourced: a private Wine prefix under the build folder and, where there is no
# display, an Xvfb of our own.
ZELOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$ZELOR_ROOT/build/wine/prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
ZELOR_SCR=${ZELOR_SCR:-$ZELOR_ROOT/build/windows/src/Zelor2.scr}

# Creates the prefix once; later calls find it ready.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    echo "wine: preparing $WINEPREFIX" >&2
    timeout 180 wineboot -i >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
  fi
}

source "$ZELOR_ROOT/tests/lib/display.sh"

# Uses the display that is set (to watch the saver on one's own desktop), or
# starts an Xvfb of our own.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  start_own_display
}

# Always an Xvfb of our own, for tests: what they see must not depend on the
# caller's desktop and its window manager. ZELOR_OWN_XVFB holds its pid.
start_own_display() {
  start_x_server 90 120 Xvfb -screen 0 "${ZELOR_SCREEN:-1024x768x24}" -nolisten tcp ||
    { echo "wine: could not start Xvfb" >&2; return 1; }
  ZELOR_OWN_XVFB=$X_SERVER_PID
}

stop_own_display() {
  stop_x_server "${ZELOR_OWN_XVFB:-}"
  unset ZELOR_OWN_XVFB
}
