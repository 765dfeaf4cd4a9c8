#!/usr/bin/env bash
# Runs every end-to-end test file (tests/e2e/test_*.sh, or the ones named)
# against build/windows/src/Zelor2.scr and prints the tally.
set -uo pipefail
cd "$(dirname "$0")"
source ../../scripts/wine_env.sh
[ -f "$ZELOR_SCR" ] || { echo "e2e: $ZELOR_SCR is missing; build first" >&2; exit 2; }
ensure_display || exit 2
ensure_wine_prefix
trap stop_own_display EXIT

files=("$@")
((${#files[@]})) || files=(test_*.sh)
log=$(mktemp)
# Files whose behaviour depends on the decimal separator run in both locales.
both_locales=" test_options.sh test_simulation.sh "
for f in "${files[@]}"; do
  echo "== $f"
  LANG_FOR_TEST=en_US.UTF-8 bash "$f" 2>&1 | tee -a "$log"
  if [[ "$both_locales" == *" $f "* ]]; then
    echo "== $f (German locale)"
    LANG_FOR_TEST=de_DE.UTF-8 bash "$f" 2>&1 | sed 's/^\(PASS\|FAIL\) \([^ ]*\)/\1 \2[de]/' | tee -a "$log"
  fi
done
passed=$(grep -c '^PASS ' "$log")
failed=$(grep -c '^FAIL ' "$log")
rm -f "$log"
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
