#!/usr/bin/env bash
# The saver loop of two builds of the native X11 zelor2, say before and after a
# change, in one run: each on data/Voyager.zel as fast as it goes, with fresh
# settings, in an Xvfb of its own, the two taking turns for several rounds so
# that a busy machine slows both alike. Prints each round's steps per second,
# of the clock and of the program's own processor time (which other programs
# on a shared machine disturb less), and the ratios of the medians, second
# program to first.
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

# Steps per second of the clock and per processor second of one loop; a run
# that prints no figure fails the comparison.
rates() {
  rm -rf "$out/config" "$out/data"
  XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data \
    timeout $((seconds + 60)) xvfb-run -a -s "-screen 0 $screen -nolisten tcp" \
    bash -c 'TIMEFORMAT="processor seconds: %U %S"; time "$0" "$@"' \
    "$1" -fullscreen -file "$PWD/data/Voyager.zel" -tempo 0 -measure-seconds "$seconds" >"$out/run.txt" 2>&1
  awk '/^steps: / { steps = $2 } /^steps per second: / { wall = $4 } /^processor seconds: / { cpu = $3 + $4 }
       END { if (steps == "" || wall == "" || !(cpu > 0)) exit 1; printf "%d %d\n", wall, steps / cpu }' "$out/run.txt" || {
    echo "no figure from $1:" >&2
    cat "$out/run.txt" >&2
    exit 1
  }
}
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.0f\n", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b / a }'; }

echo "saver loop: Voyager.zel, tempo 0, ${seconds} s a run, $rounds rounds, screen $screen"
echo "first: ${programs[0]}"
echo "second: ${programs[1]}"
for ((round = 1; round <= rounds; ++round)); do
  read -r firstWall firstCpu < <(rates "${programs[0]}")
  read -r secondWall secondCpu < <(rates "${programs[1]}")
  echo "round $round: steps per second $firstWall and $secondWall, per processor second $firstCpu and $secondCpu"
  echo "$firstWall $firstCpu" >>"$out/first.txt"
  echo "$secondWall $secondCpu" >>"$out/second.txt"
done
for column in 1 2; do
  first=$(cut -d' ' -f$column "$out/first.txt" | median)
  second=$(cut -d' ' -f$column "$out/second.txt" | median)
  what=$([ $column -eq 1 ] && echo "steps per second" || echo "steps per processor second")
  echo "median $what: first $first, second $second; ratio second / first $(ratio "$first" "$second")"
done
