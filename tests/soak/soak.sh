#!/usr/bin/env bash
# A long run holds: runs the real Zelor2.scr under Wine on a ring galaxy of
# 1,000 bodies for SOAK_SECONDS (180 by default), samples the process every
# SOAK_INTERVAL seconds (10) and fails when its memory, handles or GDI
# objects grow after the first SOAK_WARMUP seconds (20) by more than a small
# tolerance, when a metric cannot be read, or when the run does not last
# past the warm-up.
#
# Needs ZELOR_SCR and SOAK_PROBE (zelor_soak_probe.exe, built from probe.cpp);
# scripts/soak.sh builds both and calls this. Every sample line and the
# verdict go to stdout and to $SOAK_OUT/samples.txt.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
: "${SOAK_OUT:=$here/../../build/soak}"
export E2E_OUT=$SOAK_OUT
source "$here/../e2e/lib.sh"

SOAK_SECONDS=${SOAK_SECONDS:-180}
SOAK_INTERVAL=${SOAK_INTERVAL:-10}
SOAK_WARMUP=${SOAK_WARMUP:-20}
# Growth can only be seen with a sample after the baseline.
((SOAK_SECONDS >= SOAK_WARMUP + SOAK_INTERVAL)) ||
  { echo "soak: SOAK_SECONDS ($SOAK_SECONDS) must reach past SOAK_WARMUP + SOAK_INTERVAL" >&2; exit 2; }
# Growth allowed after the warm-up: memory by a few pages of heap churn,
# handles and GDI objects by a couple of transient ones.
MEMORY_SLACK_KB=${SOAK_MEMORY_SLACK_KB:-2048}
COUNT_SLACK=${SOAK_COUNT_SLACK:-3}

[ -f "$ZELOR_SCR" ] || { echo "soak: $ZELOR_SCR is missing" >&2; exit 2; }
bash "$here/../../scripts/build_bodies_tool.sh" || exit 2
[ -f "${SOAK_PROBE:-}" ] || { echo "soak: SOAK_PROBE (zelor_soak_probe.exe) is missing" >&2; exit 2; }
start_own_display || exit 2
ensure_wine_prefix
trap 'reset_state; stop_own_display' EXIT

samples=$SOAK_OUT/samples.txt
: >"$samples"
say() { echo "$*" | tee -a "$samples"; }

# A sun with a ring of light stars, shown whole on a 4:3 screen, at a
# quarter day per step.
start_saver() {
  reset_state
  mkdir -p "$(zelor_data_dir)"
  zelor_bodies new --random 1000 --seed 1000 "$(zelor_data_dir)/Ring.zel" >/dev/null || fail "could not write the bodies"
  reg_set Datei "$(win_path "$(zelor_data_dir)/Ring.zel")"
  reg_set Breite 2.6667
  reg_set "Höhe" 2
  reg_set Intervall 0.25
  reg_set Tempo 0  # as fast as it can: the most steps and pictures in the time
  scr_start /s
  wait_saver 60 >/dev/null
}

# The Linux side of the Wine process: its resident set in kB.
linux_rss_kb() {
  local pid
  pid=$(pgrep -P "$SCR_PID" | head -n 1)
  ps -o rss= -p "${pid:-$SCR_PID}" 2>/dev/null | tr -d ' '
}

# One sample as "name=value" words; the probe's line plus the Linux RSS.
sample() {
  local line
  line=$(timeout 30 wine "$SOAK_PROBE" Zelor2.scr 2>/dev/null | tr -d '\r')
  [[ "$line" == pid=* ]] || { echo "soak: the probe found no Zelor2.scr: $line" >&2; return 1; }
  echo "$line rss_kb=$(linux_rss_kb)"
}

field() { sed -n "s/.*\\b$1=\\([-0-9]*\\).*/\\1/p" <<<"$2"; }

start_saver
say "soak: $SOAK_SECONDS s on 1000 bodies, a sample every $SOAK_INTERVAL s, baseline after $SOAK_WARMUP s"
started=$SECONDS
baseline=""
declare -A peak=()
compared=0
unreadable=()
# Working set and commit in bytes, the RSS in kB; counts as they are.
memory_fields=(commit workingset rss_kb)
count_fields=(handlelist gditable)
while :; do
  elapsed=$((SECONDS - started))
  scr_running || fail "Zelor2.scr ended after ${elapsed}s of the soak"
  line=$(sample) || fail "no sample at ${elapsed}s"
  say "t=${elapsed}s $line"
  if [ -z "$baseline" ] && [ "$elapsed" -ge "$SOAK_WARMUP" ]; then
    baseline=$line
  elif [ -n "$baseline" ]; then
    compared=$((compared + 1))
    for f in "${memory_fields[@]}" "${count_fields[@]}"; do
      v=$(field "$f" "$line")
      if [ -z "$v" ] || [ "$v" -lt 0 ]; then
        unreadable+=("$f at ${elapsed}s")
        continue
      fi
      { [ -z "${peak[$f]:-}" ] || [ "$v" -gt "${peak[$f]}" ]; } && peak[$f]=$v
    done
  fi
  [ "$elapsed" -ge "$SOAK_SECONDS" ] && break
  sleep "$SOAK_INTERVAL"
done

failed=0
if [ -z "$baseline" ] || [ "$compared" -eq 0 ]; then
  say "  the run gave no sample after the warm-up to compare FAIL"
  failed=1
fi
for u in "${unreadable[@]}"; do
  say "  $u: not readable FAIL"
  failed=1
done
# A metric that cannot be read proves nothing, so it fails rather than passes.
verdict() {
  local f=$1 slack=$2 unit=$3 base top
  base=$(field "$f" "$baseline")
  if [ -z "$base" ] || [ "$base" -lt 0 ]; then
    say "  $f: not readable at the baseline FAIL"
    failed=1
    return
  fi
  top=${peak[$f]:-$base}
  if [ $((top - base)) -gt "$slack" ]; then
    say "  $f: grew from $base to $top $unit (more than $slack) FAIL"
    failed=1
  else
    say "  $f: $base at the baseline, at most $top $unit afterwards"
  fi
}
verdict commit $((MEMORY_SLACK_KB * 1024)) bytes
verdict workingset $((MEMORY_SLACK_KB * 1024)) bytes
verdict rss_kb "$MEMORY_SLACK_KB" kB
verdict handlelist "$COUNT_SLACK" handles
verdict gditable "$COUNT_SLACK" "GDI objects"
say "  gdi/user from GetGuiResources: $(field gdi "$baseline")/$(field user "$baseline") (Wine answers 0)"

# The picture at the end, to see that the run really went on drawing.
screenshot "$SOAK_OUT/soak-end.png"
drawn=$(convert "$SOAK_OUT/soak-end.png" -fill white +opaque black -format '%[fx:int(mean*w*h+0.5)]' info:)
say "  pixels drawn at the end: $drawn (picture: $SOAK_OUT/soak-end.png)"
[ "${drawn:-0}" -gt 1000 ] || { say "  the saver drew (almost) nothing FAIL"; failed=1; }

# The run still ends on a real movement once the soak is over.
pointer 100 100
sleep 0.3
pointer 300 250
wait_scr_exit 30
if [ "$failed" -eq 0 ]; then say "soak: passed"; else say "soak: FAILED"; fi
exit "$failed"
