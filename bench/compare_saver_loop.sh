#!/usr/bin/env bash
# The saver loop of two builds of the native X11 zelor2, say before and after a
# change, in one run: each on data/Voyager.zel as fast as it goes, with fresh
# settings, in an Xvfb of its own, the two taking turns for several rounds so
# that a busy machine slows both alike. Prints each round's steps per second
# and the ratio of the medians, second program to first.
#   bash bench/compare_saver_loop.sh FIRST/zelor2 SECOND/zelor2
#   ZELOR_BENCH_SECONDS  how long each loop runs (default 10)
#   ZELOR_BENCH_ROUNDS   how many turns each program gets (default 5)
#   ZELOR_SCREEN         the Xvfb screen (default 1920x1080x24)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 FIRST/zelor2 SECOND/zelor2" >&2; exit 2; }
programs=("$(realpath "$1")" "$(realpath "$2")")
cd "$(dirname "$0")/.."
seconds=${ZELOR_BENCH_SECONDS:-10}
rounds=${ZELOR_BENCH_ROUNDS:-5}
screen=${ZELOR_SCREEN:-1920x1080x24}
for program in "${programs[@]}"; do
  [ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Steps per second of one loop; a run that prints none fails the comparison.
rate() {
  rm -rf "$out/config" "$out/data"
  XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data \
    timeout $((seconds + 60)) xvfb-run -a -s "-screen 0 $screen -nolisten tcp" \
    "$1" -fullscreen -file "$PWD/data/Voyager.zel" -tempo 0 -measure-seconds "$seconds" >"$out/run.txt"
  sed -n 's/^steps per second: //p' "$out/run.txt" | grep -x '[0-9]*' || {
    echo "no figure from $1:" >&2
    cat "$out/run.txt" >&2
    exit 1
  }
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

echo "saver loop: Voyager.zel, tempo 0, ${seconds} s a run, $rounds rounds, screen $screen"
for ((round = 1; round <= rounds; ++round)); do
  first=$(rate "${programs[0]}")
  second=$(rate "${programs[1]}")
  echo "round $round: steps per second $first (first), $second (second)"
  echo "$first" >>"$out/first.txt"
  echo "$second" >>"$out/second.txt"
done
first=$(median <"$out/first.txt")
second=$(median <"$out/second.txt")
echo "median steps per second: first $first (${programs[0]}), second $second (${programs[1]})"
echo "ratio second / first: $(awk -v a="$first" -v b="$second" 'BEGIN { printf "%.3f", b / a }')"
