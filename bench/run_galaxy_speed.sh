#!/usr/bin/env bash
# The galaxy maker's 32,766 bodies at tempo 0, the tree against every pair,
# in one run: the native X11 zelor2 with -measure-seconds, then Zelor2.scr's
# saver loop under Wine, each in an Xvfb of its own of 1920 x 1080. Prints
# each program's figures and the steps per second side by side.
#   ZELOR_BENCH_BUILD      the Linux build holding src/zelor2 and zelor-bodies (default build/bench)
#   ZELOR_BENCH_WIN_BUILD  the Windows bench build (see bench/run_saver_loop.sh)
#   ZELOR_BENCH_SECONDS    how long each loop runs (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZELOR_BENCH_BUILD:-build/bench}
zelor2=$build/src/zelor2
bodies=$build/tools/zelor-bodies/zelor-bodies
seconds=${ZELOR_BENCH_SECONDS:-10}
export ZELOR_SCREEN=${ZELOR_SCREEN:-1920x1080x24}
for program in "$zelor2" "$bodies"; do [ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }; done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$bodies" new Galaxien "$out/galaxien.zel" >/dev/null

rate() { sed -n 's/^steps per second: //p' "$1"; }
for approximation in approx no-approx; do
  echo "native zelor2 -$approximation: galaxien.zel, ${seconds} s, screen $ZELOR_SCREEN"
  XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data \
    timeout $((seconds + 60)) xvfb-run -a -s "-screen 0 $ZELOR_SCREEN -nolisten tcp" \
    "$zelor2" -fullscreen -file "$out/galaxien.zel" -interval 0.08 -sky 16x9 -tempo 0 "-$approximation" \
    -measure-seconds "$seconds" | tee "$out/native-$approximation.txt"
done
for naeherung in True False; do
  ZELOR_BENCH_TEMPOS=0 ZELOR_BENCH_FILE=$out/galaxien.zel ZELOR_BENCH_SETTINGS="Naeherung=$naeherung Breite=16 Höhe=9" \
    bash bench/run_saver_loop.sh | tee "$out/wine-$naeherung.txt"
done
echo
echo "steps per second on 32,766 bodies: native $(rate "$out/native-approx.txt") with the tree," \
  "$(rate "$out/native-no-approx.txt") every pair; under Wine $(rate "$out/wine-True.txt") with the tree," \
  "$(rate "$out/wine-False.txt") every pair"
