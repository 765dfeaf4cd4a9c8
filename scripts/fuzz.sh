#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang into build/fuzz and runs
# each for a bounded time: FUZZ_SECONDS apiece, or by default a minute shared
# among them all (at least 5 s each). FUZZ_TARGETS (a regular expression)
# runs only the targets whose names match. Each target
# works on its own corpus under build/fuzz/run/, seeded from tests/fuzz/corpus
# and kept between runs, so the committed seeds never change and later runs
# start where earlier ones stopped. Fails on any crash, sanitizer report,
# broken property or hang; the input that did it is kept under
# build/fuzz/run/<target>/artifacts/.
set -uo pipefail
cd "$(dirname "$0")/.."
targets=()
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  [[ "$target" =~ ^(${FUZZ_TARGETS:-.*})$ ]] && targets+=("$target")
done
[ "${#targets[@]}" -gt 0 ] || { echo "fuzz: no target matches FUZZ_TARGETS=$FUZZ_TARGETS"; exit 1; }
seconds=${FUZZ_SECONDS:-$((60 / ${#targets[@]} > 5 ? 60 / ${#targets[@]} : 5))}
out=build/fuzz
mkdir -p "$out"

if ! cmake -S . -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DZELOR_FUZZ=ON -DZELOR_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$out/configure.log" 2>&1; then
  cat "$out/configure.log"
  echo "fuzz: 0 passed, 1 failed (configure)"
  exit 1
fi
if ! cmake --build "$out" -j"$(nproc)" >"$out/build.log" 2>&1; then
  tail -n 40 "$out/build.log"
  echo "fuzz: 0 passed, 1 failed (build)"
  exit 1
fi

passed=0
failed=0
for target in "${targets[@]}"; do
  seeds=tests/fuzz/corpus/$target/
  work=$out/run/$target
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -n "$seeds"* "$work/corpus/"
  # Body files long enough for the gravity phase to share its work among
  # threads (from 256 bodies).
  extra=()
  [ "$target" = body_file ] && extra=(-max_len=20000)
  # -timeout catches a single input that hangs; the outer timeout a fuzzer
  # that does not stop at all.
  timeout $((seconds + 120)) "$out/tests/fuzz/zelor_fuzz_$target" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "${extra[@]}" -artifact_prefix="$PWD/$work/artifacts/" "$work/corpus" \
    >"$work/log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$work/log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS $target: ${runs:-?} executions, ${coverage:-no coverage reported}"
  else
    failed=$((failed + 1))
    echo "FAIL $target (exit $status): ${runs:-?} executions, ${coverage:-no coverage reported}"
    grep -E 'fuzz property broken|ERROR: |SUMMARY: |runtime error|Test unit written' "$work/log" | head -n 8 | sed 's/^/    /'
    echo "    log: $work/log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
