#!/usr/bin/env bash
# Runs every end-to-end test file (tests/e2e/test_*.sh, or the ones named)
# against build/windows/src/Zelor2.scr in an Xvfb of its own and prints the
# tally. E2E_ONLY=<extended regular expression> runs only the tests whose
# names match; each file must still report one.
set -uo pipefail
cd "$(dirname "$0")"
source ../../scripts/wine_env.sh
source ../lib/files.sh
[ -f "$ZELOR_SCR" ] || { echo "e2e: $ZELOR_SCR is missing; build first" >&2; exit 2; }
bash ../../scripts/build_bodies_tool.sh || exit 2
start_own_display || exit 2
ensure_wine_prefix
trap stop_own_display EXIT

files=("$@")
((${#files[@]})) || files=(test_*.sh)
# Files whose behaviour depends on the decimal separator run in both locales.
both_locales=" test_options.sh test_simulation.sh "
for f in "${files[@]}"; do
  echo "== $f"
  LANG_FOR_TEST=en_US.UTF-8 run_test_file "$f" "" bash "$f"
  if [[ "$both_locales" == *" $f "* ]]; then
    echo "== $f (German locale)"
    LANG_FOR_TEST=de_DE.UTF-8 run_test_file "$f (German locale)" "[de]" bash "$f"
  fi
done
report_tally e2e
