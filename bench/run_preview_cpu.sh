#!/usr/bin/env bash
# Runs the preview of Zelor2.scr ("/p") in the monitor of the end-to-end
# tests' preview_host.exe under Wine in an Xvfb of its own, with the sample
# Voyager.zel and fresh settings otherwise, for a fixed time; prints the CPU
# time the preview's process takes per second of wall time. The settings page
# shows the preview all the while it is open, so it has to stay cheap.
#   ZELOR_BENCH_WIN_BUILD  the Windows build (default build/windows)
#   ZELOR_SCR              the saver (default: that build's)
#   ZELOR_PREVIEW_HOST     the host program (default: that build's)
#   ZELOR_BENCH_SECONDS    how long it is measured (default 20), after a
#                          first second that is not counted
#   WINEPREFIX             the Wine prefix (default: one of its own under the build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZELOR_BENCH_WIN_BUILD:-build/windows}
export WINEPREFIX=${WINEPREFIX:-$PWD/$build/wine-preview}
export ZELOR_SCR=${ZELOR_SCR:-$PWD/$build/src/Zelor2.scr}
host_exe=${ZELOR_PREVIEW_HOST:-$PWD/$build/tests/preview_host.exe}
seconds=${ZELOR_BENCH_SECONDS:-20}
source scripts/wine_env.sh
[ -f "$ZELOR_SCR" ] || { echo "no saver at $ZELOR_SCR" >&2; exit 1; }
[ -f "$host_exe" ] || { echo "no host program at $host_exe" >&2; exit 1; }

ensure_wine_prefix
# Always a display of our own: another program's windows would change the figures.
unset DISPLAY
ensure_display
work=$(mktemp -d)
host_pid="" scr_pid=""
finish() {
  touch "$work/quit"
  local i
  for ((i = 0; i < 100; i++)); do
    # Wine's DestroyWindow waits about 2s for the preview's window.
    { [ -z "$host_pid" ] || ! kill -0 "$host_pid" 2>/dev/null; } &&
      { [ -z "$scr_pid" ] || ! kill -0 "$scr_pid" 2>/dev/null; } && break
    sleep 0.1
  done
  # Only if they did not end by themselves.
  [ -z "$scr_pid" ] || kill "$scr_pid" 2>/dev/null || true
  [ -z "$host_pid" ] || kill "$host_pid" 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
  stop_own_display
  rm -rf "$work"
}
trap finish EXIT

key='HKCU\Software\Zelor2\Einstellungen'
body=$(realpath data/Voyager.zel)
timeout 30 wine reg delete 'HKCU\Software\Zelor2' /f >/dev/null 2>&1 || true
timeout 30 wine reg add "$key" /v Datei /t REG_SZ /d "Z:${body//\//\\}" /f >/dev/null 2>&1

# Waits (at most the seconds given) for a line of the host's output.
host_line() {
  local i line
  for ((i = 0; i < $2 * 10; i++)); do
    line=$(tr -d '\r' <"$work/host.out" 2>/dev/null | grep -a -m 1 -E "$1") && { echo "$line"; return 0; }
    sleep 0.1
  done
  echo "the host printed no line matching '$1'" >&2
  return 1
}

quit_file=$(realpath -m "$work/quit")
wine "$host_exe" --quit-when "Z:${quit_file//\//\\}" --report-children --max-seconds $((seconds + 120)) \
  >"$work/host.out" 2>/dev/null &
host_pid=$!
child=$(host_line '^child [0-9]+$' 60 | cut -d' ' -f2)
wine "$ZELOR_SCR" /p "$child" >/dev/null 2>&1 &
scr_pid=$!
# The pid that wine started with becomes the Windows program's own.
for ((i = 0; i < 100; i++)); do
  tr '\0' ' ' <"/proc/$scr_pid/cmdline" 2>/dev/null | grep -q -i 'zelor2\.scr' && break
  sleep 0.1
done
host_line '^preview [0-9]+ ' 30 >/dev/null

# utime + stime of the process, in clock ticks (the fields after the name).
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$scr_pid/stat") || { echo "the preview ended early" >&2; exit 1; }
  stat=${stat##*) }
  awk '{print $12 + $13}' <<<"$stat"
}

echo "preview: Voyager.zel in a 152 x 112 monitor, ${seconds} s, $(wine --version)"
sleep 1
start_ticks=$(cpu_ticks)
start_ns=$(date +%s%N)
end_ns=$((start_ns + seconds * 1000000000))
while (($(date +%s%N) < end_ns)); do
  kill -0 "$scr_pid" 2>/dev/null || { echo "the preview ended early" >&2; exit 1; }
  sleep 0.5
done
ticks=$(($(cpu_ticks) - start_ticks))
wall_ns=$(($(date +%s%N) - start_ns))
awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" -v ns="$wall_ns" \
  'BEGIN { s = t / hz / (ns / 1e9); printf "preview: %.3f s CPU per second (%.1f %% of one core)\n", s, s * 100 }'
