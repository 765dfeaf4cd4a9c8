# Sourced by both end-to-end libraries (Zelor2.scr under Wine, the native
# zelor2): runs a file's test functions, each under a watchdog, and ends a
# test on its first failure. A library may define two hooks:
#   reset_between_tests  run by the runner before each test and after the
#                        last, so no test starts from what another left
#   cleanup_test         run inside the test when it ends, however it ends

# Ends the whole test, also from inside a $(...) whose exit alone would not.
fail() {
  echo "    failed: $*" >&2
  if [ -n "${TEST_PID:-}" ] && [ "$BASHPID" != "$TEST_PID" ]; then kill "$TEST_PID" 2>/dev/null; fi
  exit 1
}
expect_eq() { [ "$1" == "$2" ] || fail "$3: expected '$2', got '$1'"; }

# The calling file's functions named test_*, those whose names match the
# extended regular expression (all when it is empty).
matching_tests() { declare -F | awk '{print $3}' | grep '^test_' | grep -E -- "${1:-.}"; }

# Runs the test functions whose names match FILTER, each for at most LIMIT
# seconds; prints one "PASS file test" or "FAIL file test" line each and
# fails when any failed.
#   run_test_functions FILTER LIMIT
run_test_functions() {
  local filter=$1 limit=$2 file name pid status failed=0
  file=$(basename "$0" .sh)
  for name in $(matching_tests "$filter"); do
    run_hook reset_between_tests
    (
      TEST_PID=$BASHPID
      trap 'run_hook cleanup_test' EXIT
      "$name"
    ) &
    pid=$!
    if ends_within "$pid" "$limit"; then
      wait "$pid"
      status=$?
    else
      echo "    failed: timed out after ${limit}s" >&2
      end_test "$pid"
      status=124
    fi
    if [ "$status" -eq 0 ]; then echo "PASS $file $name"; else echo "FAIL $file $name"; failed=1; fi
  done
  run_hook reset_between_tests
  return $failed
}

run_hook() { declare -F "$1" >/dev/null || return 0; "$1"; }

# True when the process has ended within the seconds, by the clock: a count
# of short sleeps would stretch the limit on a loaded machine.
ends_within() {
  local pid=$1 end=$(($(date +%s%3N) + $2 * 1000))
  while (($(date +%s%3N) < end)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$pid" 2>/dev/null
}

# Stops a test that ran out of time and waits until it has cleaned up, so the
# next test never starts beside it; one that does not end within ten seconds
# is killed, with the commands it was waiting on.
end_test() {
  local pid=$1
  kill "$pid" 2>/dev/null
  if ! ends_within "$pid" 10; then
    pkill -KILL -P "$pid" 2>/dev/null
    kill -KILL "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
}
