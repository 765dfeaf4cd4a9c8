#!/usr/bin/env bash
# The saver loop of the native X11 zelor2 beside that of Zelor2.scr under
# Wine, in one run: each on data/Voyager.zel with fresh settings, in an Xvfb
# of its own of the same size, for the same time. Prints both programs'
# figures and the ratio of their steps per second.
#   ZELOR_BENCH_BUILD      the Linux build holding src/zelor2 (default build/bench)
#   ZELOR_BENCH_WIN_BUILD  the Windows bench build (see bench/run_saver_loop.sh)
#   ZELOR_BENCH_SECONDS    how long each loop runs (default 10)
#   ZELOR_SCREEN           the Xvfb screen (default 1920x1080x24)
set -euo pipefail
cd "$(dirname "$0")/.."
zelor2=${ZELOR_BENCH_BUILD:-build/bench}/src/zelor2
seconds=${ZELOR_BENCH_SECONDS:-10}
export ZELOR_SCREEN=${ZELOR_SCREEN:-1920x1080x24}
[ -x "$zelor2" ] || { echo "no native program at $zelor2" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

echo "native zelor2: Voyager.zel, ${seconds} s, screen $ZELOR_SCREEN, own full-screen window"
# The same kind of window as the Windows saver's, and no window manager.
XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data \
  timeout $((seconds + 60)) xvfb-run -a -s "-screen 0 $ZELOR_SCREEN -nolisten tcp" \
  "$zelor2" -fullscreen -file "$PWD/data/Voyager.zel" -tempo 0 -measure-seconds "$seconds" | tee "$out/native.txt"
echo
# Both as fast as they can: the comparison is of the loops, not of a tempo.
ZELOR_BENCH_TEMPOS=0 bash bench/run_saver_loop.sh | tee "$out/wine.txt"

rate() { sed -n 's/^steps per second: //p' "$1"; }
native=$(rate "$out/native.txt")
wine=$(rate "$out/wine.txt")
echo
echo "steps per second: native $native, under Wine $wine; ratio native / Wine $(awk -v n="$native" -v w="$wine" 'BEGIN { printf "%.2f", n / w }')"
