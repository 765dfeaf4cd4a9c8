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

# Starts Xvfb when no display is set; ZELOR_OWN_XVFB holds its pid.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${ZELOR_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    ZELOR_OWN_XVFB=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  echo "wine: could not start Xvfb" >&2
  return 1
}

stop_own_display() {
  if [ -n "${ZELOR_OWN_XVFB:-}" ]; then
    kill "$ZELOR_OWN_XVFB" 2>/dev/null || true
    wait "$ZELOR_OWN_XVFB" 2>/dev/null || true
    unset ZELOR_OWN_XVFB
  fi
}
