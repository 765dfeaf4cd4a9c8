#!/usr/bin/env bash
# Runs every benchmark: the gravity phase (plain loop against the kernel for
# each vector width and thread count), rasterising, a whole step on
# Voyager.zel, the price and the gain of "Genauigkeit" (Google Benchmark,
# Linux build), the tree gravity's force error and whole steps of 32,766
# bodies against the exact kernel, the galaxy file's steps per second with
# the tree and with every pair, then the saver loop of the native X11
# zelor2 beside Zelor2.scr's under Wine, each in Xvfb, and both on one
# monitor of 1920 x 1080 and on two (an Xorg with the dummy driver). Prints
# the machine, a summary of the gravity figures as ratios against the plain
# loop and the accuracy figures as one table.
#   ZELOR_BENCH_FILTER     regular expression of Google Benchmark names (default: all)
#   ZELOR_BENCH_SECONDS    how long the saver loop runs (default 10)
#   ZELOR_BENCH_PACED_SECONDS  how long each accuracy runs at tempo 60 (default 5)
#   ZELOR_BENCH_BUILD      build folder of the Linux benchmarks (default build/bench)
#   ZELOR_BENCH_WIN_BUILD  build folder of the Windows one (default build/bench-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
native=${ZELOR_BENCH_BUILD:-build/bench}
windows=${ZELOR_BENCH_WIN_BUILD:-build/bench-windows}
out=$native/results
mkdir -p "$out"

echo "=== machine"
grep -m1 'model name' /proc/cpuinfo | sed 's/.*: /processor: /'
echo "cores: $(nproc)"
echo "vector units: $(grep -m1 '^flags' /proc/cpuinfo | tr ' ' '\n' | grep -xE 'sse2|avx2|avx512f|fma' | tr '\n' ' ')"

echo "=== build"
cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release -DZELOR_BUILD_TESTS=OFF -DZELOR_BUILD_BENCH=ON >/dev/null
cmake --build "$native" -j"$jobs" --target zelor_bench tree_gravity_bench zelor2 zelor-bodies >/dev/null
cmake -S . -B "$windows" --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DZELOR_BUILD_TESTS=OFF -DZELOR_BUILD_BENCH=ON >/dev/null
cmake --build "$windows" -j"$jobs" --target saver_loop_bench >/dev/null

echo "=== Google Benchmark"
"$native/bench/zelor_bench" --benchmark_filter="${ZELOR_BENCH_FILTER:-.}" \
  --benchmark_out="$out/google_benchmark.json" --benchmark_out_format=json

if command -v python3 >/dev/null; then
  echo "=== gravity phase, pairs per second and ratio to the plain loop"
  python3 bench/summarise_gravity.py "$out/google_benchmark.json"
  echo "=== accuracy (substeps a drawn step): its price on Voyager.zel and the errors it removes"
  python3 bench/summarise_accuracy.py "$out/google_benchmark.json"
fi

echo "=== tree gravity against the exact kernel, 32,766 bodies"
"$native/bench/tree_gravity_bench" | tee "$out/tree_gravity.txt"

echo "=== saver loop, the native X11 program beside Zelor2.scr under Wine"
ZELOR_BENCH_BUILD="$native" ZELOR_BENCH_WIN_BUILD="$windows" bash bench/run_native_beside_wine.sh |
  tee "$out/saver_loop.txt"

echo "=== the galaxy file (32,766 bodies) at tempo 0: the tree against every pair, natively and under Wine"
ZELOR_BENCH_BUILD="$native" ZELOR_BENCH_WIN_BUILD="$windows" bash bench/run_galaxy_speed.sh | tee "$out/galaxies.txt"

echo "=== saver loop on one monitor of 1920 x 1080 and on two, the sky across both"
ZELOR_BENCH_BUILD="$native" ZELOR_BENCH_WIN_BUILD="$windows" bash bench/run_monitors.sh | tee "$out/monitors.txt"
