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
for f in "${files[@]}"; do
  echo "== $f"
  bash "$f" 2>&1 | tee -a "$log"
done
passed=$(grep -c '^PASS ' "$log")
failed=$(grep -c '^FAIL ' "$log")
rm -f "$log"
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
