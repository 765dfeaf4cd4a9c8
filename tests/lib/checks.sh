# Sourced by both end-to-end libraries (Zelor2.scr under Wine, and the
# native zelor2): checks that watch over time. `fail` (tests/lib/runner.sh)
# ends the test with the message.

# Runs the command every tenth of a second for the whole interval; fails
# with the message the first time it does not succeed. A negative check
# looked at once could miss what happens a moment later.
keeps_for() {
  local seconds=$1 message=$2 end
  shift 2
  end=$(($(date +%s%3N) + seconds * 1000))
  while (($(date +%s%3N) < end)); do
    "$@" || fail "$message"
    sleep 0.1
  done
  "$@" || fail "$message"
}

# Runs the command until it succeeds; fails with the message after the timeout.
# The clock, not a count of tries: a check may itself take a second.
wait_for() {
  local timeout=$1 message=$2 end
  shift 2
  end=$((SECONDS + timeout))
  while ((SECONDS < end)); do
    "$@" >/dev/null && return 0
    sleep 0.1
  done
  fail "$message within ${timeout}s"
}

# Runs the command (a pointer move, say), then prints how many milliseconds
# passed from just before it until process PID was gone, looking every 10 ms;
# fails when the process was gone before, or still there after the timeout.
ms_until_gone() {
  local pid=$1 timeout=$2 start now
  shift 2
  kill -0 "$pid" 2>/dev/null || fail "process $pid ended before it was asked to"
  start=$(date +%s%N)
  "$@" || fail "could not run: $*"
  # A child that ended is a zombie until it is waited for: gone all the same.
  while kill -0 "$pid" 2>/dev/null && [[ "$(ps -o stat= -p "$pid" 2>/dev/null)" != Z* ]]; do
    now=$(date +%s%N)
    ((now - start < timeout * 1000000000)) || fail "process $pid still there ${timeout}s after: $*"
    sleep 0.01
  done
  now=$(date +%s%N)
  echo $(((now - start) / 1000000))
}

# Fails unless process PID is gone within half a second of the command (a
# pointer move, say); NAME names the program in the note and the message.
expect_gone_within_half_a_second() {
  local name=$1 pid=$2 ms
  shift 2
  ms=$(ms_until_gone "$pid" 20 "$@") || exit 1
  echo "    note: $name ended ${ms} ms after the move" >&2
  ((ms <= 500)) || fail "$name ended ${ms} ms after the move"
}

# Fails unless FILE is a body file of 1 to MAX whole records of 59 bytes;
# WHAT names it in the message.
expect_whole_records() {
  local file=$1 max=$2 what=$3 size
  size=$(stat -c %s "$file" 2>/dev/null) || fail "no $what"
  ((size > 0 && size % 59 == 0 && size <= max * 59)) || fail "$what of $size bytes"
}
