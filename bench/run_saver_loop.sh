#!/usr/bin/env bash
# Runs the saver loop of Zelor2.scr (bench/saver_loop_bench.exe) on a window
# under Wine in an Xvfb of its own, with the sample Voyager.zel (or another
# body file) and fresh settings otherwise, for a fixed time, once for each
# tempo; prints steps, screen refreshes and the process's processor time per
# second.
#   ZELOR_BENCH_EXE      the benchmark program (default: the Windows bench build)
#   ZELOR_BENCH_SECONDS  how long the loop runs (default 10)
#   ZELOR_SCREEN         the Xvfb screen (default 1920x1080x24)
#   ZELOR_BENCH_TEMPOS   the tempos in steps a second (default "60 1000 0"; 0 is as fast as possible)
#   ZELOR_BENCH_FILE     the body file (default data/Voyager.zel)
#   ZELOR_BENCH_SETTINGS further settings as KEY=VALUE words, e.g. "Naeherung=False Breite=16"
#   WINEPREFIX           the Wine prefix (default: under the Windows bench build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZELOR_BENCH_WIN_BUILD:-build/bench-windows}
export WINEPREFIX=${WINEPREFIX:-$PWD/$build/wine}
export ZELOR_SCREEN=${ZELOR_SCREEN:-1920x1080x24}
exe=${ZELOR_BENCH_EXE:-$PWD/$build/bench/saver_loop_bench.exe}
seconds=${ZELOR_BENCH_SECONDS:-10}
source scripts/wine_env.sh
[ -f "$exe" ] || { echo "no benchmark program at $exe" >&2; exit 1; }

ensure_wine_prefix
# Always a display of our own: another program's windows would change the figures.
unset DISPLAY
ensure_display
trap 'stop_own_display' EXIT

key='HKCU\Software\Zelor2\Einstellungen'
body=$(realpath "${ZELOR_BENCH_FILE:-data/Voyager.zel}")
timeout 30 wine reg delete 'HKCU\Software\Zelor2' /f >/dev/null 2>&1 || true
timeout 30 wine reg add "$key" /v Datei /t REG_SZ /d "Z:${body//\//\\}" /f >/dev/null 2>&1
for setting in ${ZELOR_BENCH_SETTINGS:-}; do
  timeout 30 wine reg add "$key" /v "${setting%%=*}" /t REG_SZ /d "${setting#*=}" /f >/dev/null 2>&1
done

for tempo in ${ZELOR_BENCH_TEMPOS:-60 1000 0}; do
  timeout 30 wine reg add "$key" /v Tempo /t REG_SZ /d "$tempo" /f >/dev/null 2>&1
  echo "saver loop: $(basename "$body") ${ZELOR_BENCH_SETTINGS:-}, tempo $tempo, ${seconds} s, screen $ZELOR_SCREEN, $(wine --version)"
  timeout $((seconds + 60)) wine "$exe" "$seconds" 2>/dev/null | tr -d '\r'
  wineserver -w 2>/dev/null || true
done
