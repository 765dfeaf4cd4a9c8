#!/usr/bin/env bash
# Runs the unit tests and the Windows-only tests as Windows programs under
# Wine, in an English and a German locale, and checks what the registry store
# wrote with Wine's own reg tool.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine_env.sh
export WINEPREFIX=$ZELOR_ROOT/build/wine/tests-prefix
ensure_display || exit 2
ensure_wine_prefix
trap stop_own_display EXIT

bin=build/windows/tests
passed=0 failed=0
check() {
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $*"; fi
}
for locale in en_US.UTF-8:. de_DE.UTF-8:,; do
  lang=${locale%%:*} sep=${locale##*:}
  check env LANG="$lang" timeout 300 wine "$bin/zelor_unit_tests.exe" --gtest_brief=1
  check env LANG="$lang" ZELOR_EXPECT_DECIMAL="$sep" timeout 120 wine "$bin/zelor_wine_tests.exe" --gtest_brief=1
done

# The store's values as another program sees them, umlaut key included.
reg_matches() {
  local out
  # reg writes to the console in its OEM code page.
  out=$(LANG=de_DE.UTF-8 timeout 60 wine reg query 'HKCU\Software\Zelor2\Einstellungen' /v "$1" 2>/dev/null |
    tr -d '\r' | iconv -f CP850 -t UTF-8)
  echo "$out" | grep -q -- "$1    REG_SZ    $2\$" || { echo "reg query $1: $out"; return 1; }
}
check env LANG=de_DE.UTF-8 timeout 120 wine "$bin/zelor_wine_tests.exe" --gtest_filter='*WritesAreReadBackExactly' --gtest_brief=1
check reg_matches 'Höhe' '2,5'
check reg_matches 'Datei' 'C:\\Körper\\Sonnensystem.zel'
wineserver -k 2>/dev/null || true
echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
