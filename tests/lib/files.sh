# Sourced by the run.sh of both end-to-end harnesses: runs test files and
# keeps their tally. A file fails on its own when it exits non-zero (also
# after a crash of the file itself, which leaves no FAIL line) or reports no
# test at all, as when the filter matches none of its tests.
FILES_LOG=$(mktemp)
BROKEN_FILES=()

# Runs one test file: run_test_file LABEL TAG COMMAND...; TAG (may be empty)
# is added to the file's name in its PASS and FAIL lines.
run_test_file() {
  local label=$1 tag=$2 out status
  shift 2
  out=$(mktemp)
  "$@" 2>&1 | sed "s/^\(PASS\|FAIL\) \([^ ]*\)/\1 \2$tag/" | tee "$out"
  status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ]; then
    BROKEN_FILES+=("$label exited with status $status")
  elif ! grep -q '^\(PASS\|FAIL\) ' "$out"; then
    BROKEN_FILES+=("$label reported no test")
  fi
  cat "$out" >>"$FILES_LOG"
  rm -f "$out"
}

# Prints the tally after the harness's name; fails unless some test passed
# and nothing failed.
report_tally() {
  local harness=$1 passed failed broken
  passed=$(grep -c '^PASS ' "$FILES_LOG")
  failed=$(grep -c '^FAIL ' "$FILES_LOG")
  rm -f "$FILES_LOG"
  for broken in "${BROKEN_FILES[@]}"; do echo "$harness: $broken" >&2; done
  echo "$harness: $passed passed, $failed failed, ${#BROKEN_FILES[@]} file(s) failed"
  [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ] && [ "${#BROKEN_FILES[@]}" -eq 0 ]
}
