# Sourced by every end-to-end test file: drives the real Zelor2.scr under Wine
# in an X display with xdotool. Every wait has a timeout, so a stuck window
# fails its test instead of hanging the run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine_env.sh"

E2E_OUT=${E2E_OUT:-$ZELOR_ROOT/build/e2e}
source "$ZELOR_ROOT/tests/body_files.sh"
source "$ZELOR_ROOT/tests/lib/checks.sh"
source "$ZELOR_ROOT/tests/lib/pixels.sh"
source "$ZELOR_ROOT/tests/lib/runner.sh"
mkdir -p "$E2E_OUT"
REG_KEY='HKCU\Software\Zelor2\Einstellungen'
export LANG=${LANG_FOR_TEST:-en_US.UTF-8}
SCR_PID=""

appdata_dir() { echo "$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming"; }
zelor_data_dir() { echo "$(appdata_dir)/Zelor2"; }
# The Windows form of a path below the prefix's drive C:.
win_path() { local p=${1#"$WINEPREFIX/drive_c/"}; echo "C:\\${p//\//\\}"; }

# Ends every Wine process and forgets all settings and files of earlier tests.
reset_state() {
  wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
  timeout 30 wine reg delete 'HKCU\Software\Zelor2' /f >/dev/null 2>&1 || true
  rm -rf "$(zelor_data_dir)"
  SCR_PID=""
}
reset_between_tests() { reset_state; }

# Runs every function named test_* of the calling file (or those matching the
# extended regular expression in E2E_ONLY), each from a clean state and for
# at most TEST_TIMEOUT seconds (150; a file may give its own).
run_tests() { run_test_functions "${E2E_ONLY:-}" "${TEST_TIMEOUT:-150}"; }

# Starts Zelor2.scr with the given argument text (one word or several).
scr_start() {
  (cd "$E2E_OUT" && exec wine "$ZELOR_SCR" "$@") >>"$E2E_OUT/wine.log" 2>&1 &
  SCR_PID=$!
}

scr_running() { [ -n "$SCR_PID" ] && kill -0 "$SCR_PID" 2>/dev/null; }

# Waits until the program has ended and checks its exit status (0 unless
# given: 1 after an error message); fails after the timeout (seconds). A
# program that crashed or never started fails here instead of passing for one
# that ended at once.
wait_scr_exit() {
  local timeout=${1:-20} expected=${2:-0} i status
  for ((i = 0; i < timeout * 10; i++)); do
    if ! scr_running; then
      wait "$SCR_PID" 2>/dev/null
      status=$?
      [ "$status" -eq "$expected" ] || fail "Zelor2.scr ended with status $status instead of $expected"
      return 0
    fi
    sleep 0.1
  done
  fail "Zelor2.scr still running after ${timeout}s"
}

saver_alive() { scr_running && window_shown Form1; }
window_absent() { ! window_shown "$1"; }

# Only the end of a saver run writes the sky's size; tests that end a run
# check that it really got there, not just that the process is gone.
expect_sky_unwritten() {
  expect_eq "$(reg_get Breite)" ABSENT "Breite before the run"
  expect_eq "$(reg_get Höhe)" ABSENT "Höhe before the run"
}
expect_sky_written() {
  [ "$(reg_get Breite)" != ABSENT ] || fail "the end of the run did not store Breite"
  [ "$(reg_get Höhe)" != ABSENT ] || fail "the end of the run did not store Höhe"
}

# A text as a regular expression that matches just that text.
re_quote() { printf '%s' "$1" | sed -e 's/[][\\.*^$+?(){}|]/\\&/g'; }

# The options dialog's title for a body file (a Windows path): the whole path,
# or, where the title bar is too narrow, its drive and file name with "…" for
# folders left out between them.
options_title_re() {
  local path=$1
  echo "^Zelor2 - ($(re_quote "$path")|$(re_quote "${path%%\\*}")\\\\.*….*$(re_quote "\\${path##*\\}"))\$"
}

# Prints the id of the first visible window whose title matches the regular
# expression; fails after the timeout (seconds).
wait_title() {
  local pattern=$1 timeout=${2:-20} i id
  for ((i = 0; i < timeout * 10; i++)); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window matching '$pattern' within ${timeout}s"
}

# The same for a title given as it is.
wait_window() { wait_title "^$(re_quote "$1")\$" "${2:-20}"; }

# True while a visible window with exactly this title exists.
window_shown() { window_like "^$(re_quote "$1")\$"; }

# True while a visible window has a title matching the regular expression.
window_like() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)" ]; }

wait_title_gone() {
  local pattern=$1 timeout=${2:-20} i
  for ((i = 0; i < timeout * 10; i++)); do
    window_like "$pattern" || return 0
    sleep 0.1
  done
  fail "window matching '$pattern' still shown after ${timeout}s"
}
wait_window_gone() { wait_title_gone "^$(re_quote "$1")\$" "${2:-20}"; }

# The saver window is the one titled "Form1" (it has no title bar).
wait_saver() { wait_window Form1 "${1:-30}"; }

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }
pointer() { xdotool mousemove --sync "$1" "$2" 2>/dev/null || xdotool mousemove "$1" "$2"; }
keys() { xdotool key --delay 60 "$@"; }
type_text() { xdotool type --delay 60 -- "$1"; }

# What reg query says of a key (and of a value, with /v NAME after it), or
# the word ABSENT. Only reg's own answer that the key or the value does not
# exist means absent; a timeout, a crash or any other answer fails the test,
# so a check that nothing was stored cannot pass because the query did not
# work.
reg_query() {
  local raw status out attempt
  # A query that ends without a word (seen now and then while the program
  # writes to the key) is asked again; it never counts as absent.
  for attempt in 1 2 3; do
    raw=$(timeout 30 wine reg query "$@" 2>&1)
    status=$?
    [ "$status" -ne 0 ] && [ -z "$(tr -d '\r\n' <<<"$raw")" ] || break
    sleep 0.2
  done
  # reg writes to the console in its OEM code page (850 for German, 437 for
  # English; both put the umlauts at the same codes).
  out=$(printf '%s\n' "$raw" | tr -d '\r' | iconv -f CP850 -t UTF-8)
  if [ "$status" -eq 1 ] && grep -a -q -E '^reg: (Unable to find the specified registry (key|value)|Der angegebene (Schlüssel|Wert) wurde nicht gefunden)$' <<<"$out"; then
    echo ABSENT
    return 0
  fi
  [ "$status" -eq 0 ] || fail "reg query $* ended with status $status: $out"
  printf '%s\n' "$out"
}

# A settings value as stored, or the word ABSENT, by the rule of reg_query.
reg_get() {
  local out
  out=$(reg_query "$REG_KEY" /v "$1") || fail "reg query $1 failed"
  [ "$out" != ABSENT ] || { echo ABSENT; return 0; }
  out=$(grep -a -i "REG_SZ" <<<"$out") || fail "reg query $1 shows no text value: $out"
  echo "$out" | sed -E 's/^[[:space:]]*.+[[:space:]]+REG_SZ([[:space:]]{4}(.*))?$/\2/'
}
# Wine's reg tool now and then fails while a fresh wineserver is still
# starting up on a loaded machine, so a write gets three tries.
reg_set() {
  local try
  for try in 1 2 3; do
    timeout 30 wine reg add "$REG_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 && return 0
    sleep 1
  done
  fail "reg add $1"
}

# The Windows form of any path, through Wine's drive Z: (the whole file system).
z_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

# Prints the first line of a program's output file that matches the regular
# expression, carriage returns dropped; fails after the timeout (seconds).
wait_line() {
  local file=$1 pattern=$2 timeout=${3:-20} i line
  for ((i = 0; i < timeout * 10; i++)); do
    line=$(tr -d '\r' 2>/dev/null <"$file" | grep -a -m 1 -E "$pattern")
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.1
  done
  fail "no line matching '$pattern' in $(basename "$file") within ${timeout}s"
}
