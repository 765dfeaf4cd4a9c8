#!/usr/bin/env bash
# Pictures of the options dialog at 96, 144 and 192 dots per inch for the
# docs/saver.md: docs/options_<dpi>dpi.png. Runs Zelor2.scr under Wine in a prefix
# and an Xvfb of its own; Wine draws the title bar itself there, as no window
# manager runs.
set -uo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX=$PWD/build/wine/screenshots-prefix ZELOR_SCREEN=1920x1080x24
source scripts/wine_env.sh
[ -f "$ZELOR_SCR" ] || { echo "screenshots: $ZELOR_SCR is missing; build first" >&2; exit 2; }
ensure_display || exit 2
ensure_wine_prefix
trap 'wineserver -k 2>/dev/null; stop_own_display' EXIT
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
for dpi in 96 144 192; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null; wineserver -w  # Wine reads LogPixels when its server starts
  wine "$ZELOR_SCR" /c >/dev/null 2>&1 &
  window=""
  for _ in $(seq 1 300); do
    window=$(xdotool search --onlyvisible --name '^Zelor2 - ' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "screenshots: no options dialog at $dpi dpi" >&2; exit 1; }
  sleep 1  # until it has painted
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "docs/options_${dpi}dpi.png"
  echo "docs/options_${dpi}dpi.png: ${WIDTH} x ${HEIGHT}"
done
