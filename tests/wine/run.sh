#!/usr/bin/env bash
# Runs the unit tests and the Windows-only tests as Windows programs under
# Wine, in an English and a German locale, and checks what the registry store
# wrote with Wine's own reg tool.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine_env.sh
# ZELOR_WINE_TESTS_BIN and ZELOR_WINE_TESTS_PREFIX choose another build's
# test programs and another prefix.
export WINEPREFIX=${ZELOR_WINE_TESTS_PREFIX:-$ZELOR_ROOT/build/wine/tests-prefix}
start_own_display || exit 2
ensure_wine_prefix
trap stop_own_display EXIT

bin=${ZELOR_WINE_TESTS_BIN:-build/windows/tests}
passed=0 failed=0 tests_passed=0 tests_skipped=0
check() {
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $*"; fi
}

# The only reasons a test may give for skipping itself here (the text after
# GTEST_SKIP() <<): facts of the machine under which every other test still
# looks. Any other skip, such as a sample test that cannot read the data
# folder through Wine's drive Z:, fails its program.
allowed_skips=(
  "expected bytes are laid down in host order, which is not little-endian"
)
skip_allowed() {
  local reason
  for reason in "${allowed_skips[@]}"; do [ "$1" == "$reason" ] && return 0; done
  return 1
}

# Runs one GoogleTest program (the command after the words "gtest"). Skipped
# tests are counted and shown, not passed off as passes; a skip whose reason
# is not allowed, or a program that passed no test at all (none matched, or
# every one skipped), fails.
gtest() {
  local out status ran ok skipped reason allowed=0 refused=()
  out=$(mktemp)
  "$@" 2>&1 | tr -d '\r' | tee "$out"
  status=${PIPESTATUS[0]}
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$out")
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$out")
  skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?[,.].*/\1/p' "$out")
  # GoogleTest prints each skip as "file:line: Skipped" and its reason below.
  while IFS= read -r reason; do
    if skip_allowed "$reason"; then allowed=$((allowed + 1)); else refused+=("$reason"); fi
  done < <(awk '/: Skipped$/ { if ((getline line) > 0) print line; else print "" }' "$out")
  rm -f "$out"
  tests_passed=$((tests_passed + ${ok:-0}))
  tests_skipped=$((tests_skipped + ${skipped:-0}))
  ((${skipped:-0} == 0)) || echo "SKIPPED: ${skipped} test(s) of $*"
  [ "$status" -eq 0 ] || return 1
  [ -n "$ran" ] || { echo "no test summary from $*"; return 1; }
  ((${ok:-0} > 0)) || { echo "no test passed in $* (${ran} ran, ${skipped:-0} skipped)"; return 1; }
  if ((${skipped:-0} > allowed)); then
    echo "skips without an allowed reason in $*: ${refused[*]:-(no reason given)}"
    return 1
  fi
}

for locale in en_US.UTF-8:. de_DE.UTF-8:,; do
  lang=${locale%%:*} sep=${locale##*:}
  check gtest env LANG="$lang" timeout 300 wine "$bin/zelor_unit_tests.exe" --gtest_brief=1
  check gtest env LANG="$lang" ZELOR_EXPECT_DECIMAL="$sep" timeout 120 wine "$bin/zelor_wine_tests.exe" --gtest_brief=1
done

# The store's values as another program sees them, umlaut key included.
reg_matches() {
  local out
  # reg writes to the console in its OEM code page.
  out=$(LANG=de_DE.UTF-8 timeout 60 wine reg query 'HKCU\Software\Zelor2\Einstellungen' /v "$1" 2>/dev/null |
    tr -d '\r' | iconv -f CP850 -t UTF-8)
  echo "$out" | grep -q -- "$1    REG_SZ    $2\$" || { echo "reg query $1: $out"; return 1; }
}
check gtest env LANG=de_DE.UTF-8 timeout 120 wine "$bin/zelor_wine_tests.exe" --gtest_filter='*WritesAreReadBackExactly' --gtest_brief=1
check reg_matches 'Höhe' '2,5'
check reg_matches 'Datei' 'C:\\Körper\\Sonnensystem.zel'
wineserver -k 2>/dev/null || true
echo "wine: $passed passed, $failed failed; tests: $tests_passed passed, $tests_skipped skipped"
[ "$failed" -eq 0 ]
