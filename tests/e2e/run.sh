#!/usr/bin/env bash
# Runs every end-to-end test file (tests/e2e/test_*.sh, or the ones named)
# against build/windows/src/Zelor2.scr and prints the tally.
set -uo pipefail
cd "$(dirname "$0")"
source ../../scripts/wine_env.sh
[ -f "$ZELOR_SCR" ] || { echo "e2e: $ZELOR_SCR is missing; build first" >&2; exit 2; }
bash ../../scripts/build_bodies_tool.sh || exit 2
ensure_display || exit 2
ensure_wine_prefix
trap stop_own_display EXIT

files=("$@")
((${#files[@]})) || files=(test_*.sh)
log=$(mktemp)
broken=()
# Files whose behaviour depends on the decimal separator run in both locales.
both_locales=" test_options.sh test_simulation.sh "
# A file fails on its own when it exits non-zero (also after a crash of the
# file itself, which leaves no FAIL line) or reports no test at all.
check_file() {
  local label=$1 status=$2 out=$3
  if [ "$status" -ne 0 ]; then
    broken+=("$label exited with status $status")
  elif ! grep -q '^\(PASS\|FAIL\) ' "$out"; then
    broken+=("$label reported no test")
  fi
}
for f in "${files[@]}"; do
  echo "== $f"
  out=$(mktemp)
  LANG_FOR_TEST=en_US.UTF-8 bash "$f" 2>&1 | tee "$out"
  check_file "$f" "${PIPESTATUS[0]}" "$out"
  cat "$out" >>"$log"
  if [[ "$both_locales" == *" $f "* ]]; then
    echo "== $f (German locale)"
    LANG_FOR_TEST=de_DE.UTF-8 bash "$f" 2>&1 | sed 's/^\(PASS\|FAIL\) \([^ ]*\)/\1 \2[de]/' | tee "$out"
    check_file "$f (German locale)" "${PIPESTATUS[0]}" "$out"
    cat "$out" >>"$log"
  fi
  rm -f "$out"
done
passed=$(grep -c '^PASS ' "$log")
failed=$(grep -c '^FAIL ' "$log")
rm -f "$log"
for b in "${broken[@]}"; do echo "e2e: $b" >&2; done
echo "e2e: $passed passed, $failed failed, ${#broken[@]} file(s) failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ] && [ "${#broken[@]}" -eq 0 ]
