#!/usr/bin/env bash
# A long run of the native program holds: runs zelor2 -fullscreen in an Xvfb
# of its own on a ring galaxy of 1,000 bodies for SOAK_SECONDS (180 by
# default), samples it every SOAK_INTERVAL seconds (10) and fails when its
# resident memory, its open file descriptors or its resources in the X server
# (windows, pixmaps, graphics contexts and the rest, as xrestop counts them
# from the X-Resource extension; the client is the one with the window
# "Zelor2", as Xvfb names no pids) grow after the first SOAK_WARMUP seconds (20)
# by more than a small tolerance, when a figure cannot be read, or when the
# run ends early.
#
# Needs ZELOR2 (build/native/src/zelor2 by default); scripts/soak.sh builds it
# and calls this. Every sample and the verdict go to stdout and to
# $SOAK_OUT/samples.txt.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
ZELOR2=${ZELOR2:-$root/build/native/src/zelor2}
SOAK_OUT=${SOAK_OUT:-$root/build/soak-x11}
SOAK_SECONDS=${SOAK_SECONDS:-180}
SOAK_INTERVAL=${SOAK_INTERVAL:-10}
SOAK_WARMUP=${SOAK_WARMUP:-20}
MEMORY_SLACK_KB=${SOAK_MEMORY_SLACK_KB:-2048}
COUNT_SLACK=${SOAK_COUNT_SLACK:-3}
((SOAK_SECONDS >= SOAK_WARMUP + SOAK_INTERVAL)) ||
  { echo "soak: SOAK_SECONDS ($SOAK_SECONDS) must reach past SOAK_WARMUP + SOAK_INTERVAL" >&2; exit 2; }
[ -x "$ZELOR2" ] || { echo "soak: $ZELOR2 is missing" >&2; exit 2; }
command -v xrestop >/dev/null || { echo "soak: xrestop is missing (scripts/setup.sh installs it)" >&2; exit 2; }
fail() { echo "soak: $*" >&2; exit 1; }
ZELOR_ROOT=$root
source "$root/tests/body_files.sh"
bash "$root/scripts/build_bodies_tool.sh" || exit 2

rm -rf "$SOAK_OUT"
mkdir -p "$SOAK_OUT"
samples=$SOAK_OUT/samples.txt
: >"$samples"
say() { echo "$*" | tee -a "$samples"; }

source "$root/tests/lib/display.sh"
z_pid=""
start_x_server 171 199 Xvfb -screen 0 1024x768x24 -br -nolisten tcp || { echo "soak: could not start Xvfb" >&2; exit 2; }
xvfb_pid=$X_SERVER_PID
trap '[ -n "$z_pid" ] && kill -9 "$z_pid" 2>/dev/null; stop_x_server "$xvfb_pid"' EXIT

# A sun with a ring of light stars, shown whole on a 4:3 screen, at a
# quarter day per step; nothing saved at the end.
export XDG_CONFIG_HOME=$SOAK_OUT/config XDG_DATA_HOME=$SOAK_OUT/data
unset XSCREENSAVER_WINDOW
mkdir -p "$XDG_CONFIG_HOME/zelor2" "$XDG_DATA_HOME/zelor2"
zelor_bodies new --random 1000 --seed 1000 "$XDG_DATA_HOME/zelor2/Ring.zel" >/dev/null || fail "could not write the bodies"
printf '[Einstellungen]\nDatei=%s\nBreite=2.6667\nH\xc3\xb6he=2\nIntervall=0.25\nspeichern=False\n' \
  "$XDG_DATA_HOME/zelor2/Ring.zel" >"$XDG_CONFIG_HOME/zelor2/zelor2.conf"
"$ZELOR2" -fullscreen >"$SOAK_OUT/stdout" 2>"$SOAK_OUT/stderr" &
z_pid=$!

# One sample as "name=value" words: resident memory, descriptors, and the
# client's X resources by kind.
sample() {
  local rss fds x
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$z_pid/status" 2>/dev/null)
  fds=$(ls "/proc/$z_pid/fd" 2>/dev/null | wc -l)
  # Xvfb names no client's pid, so the client is the one with the window
  # called Zelor2.
  x=$(timeout 20 xrestop -b -m 1 2>/dev/null | awk '
    /^[0-9]+ - / { mine = / - Zelor2 \(/; found += mine; next }
    mine && /^\t(windows|GCs|fonts|pixmaps|pictures|glyphsets|colormaps|cursors|unknowns) *:/ {
      block = block " x_" $1 "=" $3 }
    END { if (found == 1) print block }')
  [ -n "$x" ] || { echo "soak: xrestop lists no single client with the window Zelor2" >&2; return 1; }
  echo "rss_kb=$rss fds=$fds$x"
}
field() { sed -n "s/.*\\b$1=\\([-0-9]*\\).*/\\1/p" <<<"$2"; }

# The window is there once the server lists it.
for _ in $(seq 1 300); do sample >/dev/null 2>&1 && break; sleep 0.1; done

say "soak: zelor2 for $SOAK_SECONDS s on 1000 bodies, a sample every $SOAK_INTERVAL s, baseline after $SOAK_WARMUP s"
started=$SECONDS baseline="" compared=0 failed=0
declare -A peak=()
while :; do
  elapsed=$((SECONDS - started))
  kill -0 "$z_pid" 2>/dev/null || fail "zelor2 ended after ${elapsed}s of the soak: $(cat "$SOAK_OUT/stderr")"
  line=$(sample) || fail "no sample at ${elapsed}s"
  say "t=${elapsed}s $line"
  if [ -z "$baseline" ] && [ "$elapsed" -ge "$SOAK_WARMUP" ]; then
    baseline=$line
  elif [ -n "$baseline" ]; then
    compared=$((compared + 1))
    for f in $(grep -o '[A-Za-z_]*=' <<<"$line" | tr -d =); do
      v=$(field "$f" "$line")
      [ -n "$v" ] || { say "  $f at ${elapsed}s: not readable FAIL"; failed=1; continue; }
      { [ -z "${peak[$f]:-}" ] || [ "$v" -gt "${peak[$f]}" ]; } && peak[$f]=$v
    done
  fi
  [ "$elapsed" -ge "$SOAK_SECONDS" ] && break
  sleep "$SOAK_INTERVAL"
done

[ "$compared" -gt 0 ] || { say "  the run gave no sample after the warm-up to compare FAIL"; failed=1; }
# A figure that cannot be read proves nothing, so it fails rather than passes.
for f in $(grep -o '[A-Za-z_]*=' <<<"$baseline" | tr -d =); do
  base=$(field "$f" "$baseline")
  slack=$COUNT_SLACK
  [ "$f" = rss_kb ] && slack=$MEMORY_SLACK_KB
  top=${peak[$f]:-$base}
  if [ -z "$base" ]; then
    say "  $f: not readable at the baseline FAIL"
    failed=1
  elif [ $((top - base)) -gt "$slack" ]; then
    say "  $f: grew from $base to $top (more than $slack) FAIL"
    failed=1
  else
    say "  $f: $base at the baseline, at most $top afterwards"
  fi
done

# The picture at the end, to see that the run really went on drawing.
timeout 20 import -window root "$SOAK_OUT/soak-end.png" 2>/dev/null
drawn=$(convert "$SOAK_OUT/soak-end.png" -fill white +opaque black -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null)
say "  pixels drawn at the end: ${drawn:-none} (picture: $SOAK_OUT/soak-end.png)"
[ "${drawn:-0}" -gt 1000 ] || { say "  zelor2 drew (almost) nothing FAIL"; failed=1; }

# SIGTERM ends the run the normal way.
kill -TERM "$z_pid"
for _ in $(seq 1 300); do kill -0 "$z_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$z_pid" 2>/dev/null; then say "  zelor2 did not end on SIGTERM FAIL"; failed=1; fi
wait "$z_pid" 2>/dev/null
z_pid=""
if [ "$failed" -eq 0 ]; then say "soak: passed"; else say "soak: FAILED"; fi
exit "$failed"
