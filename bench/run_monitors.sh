#!/usr/bin/env bash
# The saver loop on one monitor of 1920 x 1080 and on two of them side by
# side, with the sky across both, in one run: the native X11 zelor2 and
# Zelor2.scr under Wine, each on data/Voyager.zel with fresh settings, in an
# Xorg of its own with the dummy driver. Prints each program's figures and
# the ratio of its steps per second on two monitors to those on one.
#   ZELOR_BENCH_BUILD      the Linux build holding src/zelor2 (default build/bench)
#   ZELOR_BENCH_WIN_BUILD  the Windows bench build (see bench/run_saver_loop.sh)
#   ZELOR_BENCH_SECONDS    how long each loop runs (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
zelor2=$PWD/${ZELOR_BENCH_BUILD:-build/bench}/src/zelor2
build=${ZELOR_BENCH_WIN_BUILD:-build/bench-windows}
exe=$PWD/$build/bench/saver_loop_bench.exe
seconds=${ZELOR_BENCH_SECONDS:-10}
[ -x "$zelor2" ] || { echo "no native program at $zelor2" >&2; exit 1; }
[ -f "$exe" ] || { echo "no benchmark program at $exe" >&2; exit 1; }
export WINEPREFIX=${WINEPREFIX:-$PWD/$build/wine}
source scripts/wine_env.sh
ensure_wine_prefix
out=$(mktemp -d)

source tests/lib/display.sh
start_x_server 200 230 Xorg -config "$PWD/bench/xorg-dummy-two-fullhd.conf" -noreset -nolisten tcp \
  -logfile "$out/xorg.log" || { echo "could not start Xorg with the dummy driver" >&2; exit 1; }
xorg_pid=$X_SERVER_PID
trap 'kill "$xorg_pid" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$out"' EXIT
xrandr --addmode DUMMY1 1920x1080

key='HKCU\Software\Zelor2\Einstellungen'
body=$(realpath data/Voyager.zel)
timeout 30 wine reg delete 'HKCU\Software\Zelor2' /f >/dev/null 2>&1 || true
timeout 30 wine reg add "$key" /v Datei /t REG_SZ /d "Z:${body//\//\\}" /f >/dev/null 2>&1
timeout 30 wine reg add "$key" /v Tempo /t REG_SZ /d 0 /f >/dev/null 2>&1
wineserver -w

rate() { sed -n 's/^steps per second: //p' "$1"; }
for layout in one two; do
  if [ "$layout" = one ]; then
    xrandr --output DUMMY1 --off --fb 1920x1080
  else
    xrandr --output DUMMY1 --mode 1920x1080 --right-of DUMMY0
  fi
  echo "=== $layout monitor(s): $(xrandr --listmonitors | tail -n +2 | awk '{print $3}' | tr '\n' ' ')"
  echo "native zelor2: Voyager.zel, ${seconds} s, own full-screen window"
  XDG_CONFIG_HOME=$out/config-$layout XDG_DATA_HOME=$out/data-$layout timeout $((seconds + 60)) \
    "$zelor2" -fullscreen -file "$body" -measure-seconds "$seconds" | tee "$out/native-$layout.txt"
  echo "Zelor2.scr under Wine: Voyager.zel, ${seconds} s, $(wine --version)"
  timeout $((seconds + 60)) wine "$exe" "$seconds" 2>/dev/null | tr -d '\r' | tee "$out/wine-$layout.txt"
  wineserver -w 2>/dev/null || true
  echo
done
ratio() { awk -v a="$(rate "$1")" -v b="$(rate "$2")" 'BEGIN { printf "%.2f", a / b }'; }
echo "steps per second, two monitors / one: native $(ratio "$out/native-two.txt" "$out/native-one.txt")," \
  "under Wine $(ratio "$out/wine-two.txt" "$out/wine-one.txt")"
