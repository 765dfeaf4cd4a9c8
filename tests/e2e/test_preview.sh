#!/usr/bin/env bash
# The preview in the settings page's little monitor ("/p <HWND>") and the
# options dialog opened from that page ("/c:<HWND>"). preview_host.exe stands
# in for the page: a grey window with a black 152 x 112 child.
#
# Wine 8 does not show one process's drawing in another process's window, so
# the screen cannot show what the preview draws. The tests start the preview
# with ZELOR_PREVIEW_PICTURE, and it writes what it reads back from its own
# window to that file a few times a second; the screen still shows that it
# draws nowhere else.
source "$(dirname "$0")/lib.sh"

HOST_EXE=${ZELOR_PREVIEW_HOST:-$(dirname "$ZELOR_SCR")/../tests/preview_host.exe}
[ -f "$HOST_EXE" ] || { echo "test_preview: no host program at $HOST_EXE; build first" >&2; exit 2; }
HOST_OUT=$E2E_OUT/preview-host.out
HOST_QUIT=$E2E_OUT/preview-host.quit
HOST_PID=""
PICTURE=$E2E_OUT/preview-picture.bmp
CHILD="" HOST="" HOST_WINPID="" RECT_L="" RECT_T="" RECT_R="" RECT_B=""

# Starts the host (extra arguments go to it) and reads its windows' handles
# and the monitor's place on the screen.
host_start() {
  rm -f "$HOST_OUT" "$HOST_QUIT"
  (cd "$E2E_OUT" && exec wine "$HOST_EXE" --quit-when "$(z_path "$HOST_QUIT")" --report-children --max-seconds 120 "$@") \
    >"$HOST_OUT" 2>>"$E2E_OUT/wine.log" &
  HOST_PID=$!
  local rect
  CHILD=$(wait_line "$HOST_OUT" '^child [0-9]+$' 30 | cut -d' ' -f2)
  rect=$(wait_line "$HOST_OUT" '^rect ' 5)
  HOST=$(wait_line "$HOST_OUT" '^host [0-9]+$' 5 | cut -d' ' -f2)
  HOST_WINPID=$(wait_line "$HOST_OUT" '^pid [0-9]+$' 5 | cut -d' ' -f2)
  read -r _ RECT_L RECT_T RECT_R RECT_B <<<"$rect"
  expect_eq "$((RECT_R - RECT_L))x$((RECT_B - RECT_T))" 152x112 "the host's monitor"
  wait_window Vorschau-Wirt 20 >/dev/null
}

# Makes the host destroy its windows and waits for it to end.
host_quit() {
  touch "$HOST_QUIT"
  local i
  # Wine's DestroyWindow waits about 2s for a child of another process.
  for ((i = 0; i < 150; i++)); do
    kill -0 "$HOST_PID" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "the host did not end"
}

# The monitor as an ImageMagick geometry, grown by the margin on every side.
monitor_area() {
  local m=${1:-0}
  echo "$((RECT_R - RECT_L + 2 * m))x$((RECT_B - RECT_T + 2 * m))+$((RECT_L - m))+$((RECT_T - m))"
}

# A small body file of the test's own: a sun and one planet, neither white.
use_two_bodies() {
  mkdir -p "$(zelor_data_dir)"
  write_bodies "$(zelor_data_dir)/zwei.zel" "Sonne 332946 0 0 0 0 0x0000FFFF" "Erde 1 1.2e11 0 33300 90 0x00FF8000"
  reg_set Datei "$(win_path "$(zelor_data_dir)/zwei.zel")"
}

# Starts the preview in the host's monitor and fails unless it keeps running.
preview_start() {
  rm -f "$PICTURE"
  ZELOR_PREVIEW_PICTURE=$(z_path "$PICTURE") scr_start "${@:-/p}" "$CHILD"
  keeps_for 2 "the preview ended by itself" scr_running
  expect_preview_window
}

# The preview's window is a child filling the monitor, of another process.
expect_preview_window() {
  local line style l t r b pid
  line=$(wait_line "$HOST_OUT" '^preview [0-9]+ ' 10)
  read -r _ _ _ style _ l t r b _ pid <<<"$line"
  (( 0x$style & 0x40000000 )) || fail "the preview's window is no child: $line"
  expect_eq "$l $t $r $b" "0 0 152 112" "the preview window's place in the monitor"
  [ "$pid" != "$HOST_WINPID" ] || fail "the window in the monitor is the host's own: $line"
}

# How many pixels of the picture the preview last wrote the fx expression is
# true for; fails when it wrote none.
picture_count() {
  [ -s "$PICTURE" ] || fail "the preview wrote no picture of its window"
  count_where "$PICTURE" 152x112+0+0 "$1"
}

# Waits until more than MIN pixels of the preview's picture make the fx
# expression true; fails after the timeout (seconds) with the message.
wait_picture() {
  local expression=$1 min=$2 timeout=$3 message=$4 i n=0
  for ((i = 0; i < timeout * 4; i++)); do
    [ -s "$PICTURE" ] && n=$(count_where "$PICTURE" 152x112+0+0 "$expression" 2>/dev/null)
    ((${n:-0} > min)) && return 0
    sleep 0.25
  done
  [ -s "$PICTURE" ] || fail "the preview wrote no picture of its window within ${timeout}s"
  fail "$message ($n pixels)"
}

# Everything a run could change: each setting as lib.sh reads it, the whole
# key as reg lists it, and every file below the application data with its
# size and checksum.
stored_state() {
  local name
  for name in Breite Höhe Intervall Datei Speicher speichern Passwort; do
    echo "$name=$(reg_get "$name")"
  done
  reg_query 'HKCU\Software\Zelor2' /s
  (cd "$(appdata_dir)" && find . -type f -printf '%p %s %T@\n' | sort && find . -type f -exec sha256sum {} + | sort)
}

wake_by_moving() {
  pointer 100 100
  sleep 0.3
  pointer 300 250
}

expect_orbits_in_picture() {
  # The planet (RGB 0080FF) circles 0.8 AU from the sun in a 2 AU wide sky:
  # only a scaled picture keeps its orbit inside the monitor.
  wait_picture 'b>r+0.02' 5 10 "no planet's orbit in the preview's picture"
  local coloured white
  coloured=$(picture_count 'r+g+b>0')
  white=$(picture_count 'r>0.9&&g>0.9&&b>0.9')
  [ "$coloured" -gt 20 ] || fail "no orbits in the preview's picture ($coloured coloured pixels)"
  [ "$white" -eq 0 ] || fail "white pixels (a label?) in the preview's picture: $white"
}

test_the_preview_draws_the_orbits_inside_the_monitor_only() {
  use_two_bodies
  host_start
  local before=$E2E_OUT/preview-before.png shot=$E2E_OUT/preview-drawn.png
  screenshot "$before"
  [ "$(count_where "$before" "$(monitor_area)" 'r+g+b>0')" -eq 0 ] || fail "the monitor is not black before the preview"
  preview_start
  # Input over the monitor is the settings page's, not the preview's.
  pointer $((RECT_L + 20)) $((RECT_T + 20))
  sleep 0.2
  pointer $((RECT_L + 100)) $((RECT_T + 80))
  xdotool click 1
  keeps_for 2 "the preview ended on input" scr_running
  screenshot "$shot"
  expect_orbits_in_picture
  # A ring of the host around the monitor stays grey, and nothing else on the
  # screen changed: the preview draws nowhere but in its own window.
  local ring=$E2E_OUT/preview-ring.png around
  convert "$shot" -crop "$(monitor_area 10)" +repage -fill red \
    -draw "rectangle 10,10 $((RECT_R - RECT_L + 9)),$((RECT_B - RECT_T + 9))" "$ring"
  around=$(( (RECT_R - RECT_L + 20) * (RECT_B - RECT_T + 20) - (RECT_R - RECT_L) * (RECT_B - RECT_T) ))
  expect_eq "$(count_colour "$ring" 808080)" "$around" "grey pixels of the ring around the monitor"
  local masked_before=$E2E_OUT/preview-before-masked.png masked_after=$E2E_OUT/preview-drawn-masked.png
  convert "$before" -fill black -draw "rectangle $RECT_L,$RECT_T $((RECT_R - 1)),$((RECT_B - 1))" "$masked_before"
  convert "$shot" -fill black -draw "rectangle $RECT_L,$RECT_T $((RECT_R - 1)),$((RECT_B - 1))" "$masked_after"
  expect_eq "$(compare -metric AE "$masked_before" "$masked_after" null: 2>&1)" 0 "pixels changed outside the monitor"
  window_shown Form1 && fail "the preview opened a saver window"
  host_quit
  wait_scr_exit 5
}

test_the_preview_leaves_settings_and_files_as_they_were() {
  use_two_bodies
  reg_set Breite 3
  reg_set Intervall 2
  local before after
  before=$(stored_state)
  host_start
  preview_start
  sleep 2
  host_quit
  wait_scr_exit 5
  after=$(stored_state)
  [ "$before" == "$after" ] || fail "the preview changed what is stored: $(diff <(echo "$before") <(echo "$after") | tr '\n' ' ')"
}

test_a_first_preview_creates_neither_settings_nor_files() {
  host_start
  preview_start
  sleep 1
  host_quit
  wait_scr_exit 5
  expect_eq "$(reg_query 'HKCU\Software\Zelor2')" ABSENT "the key after a first preview"
  [ ! -e "$(zelor_data_dir)" ] || fail "the preview created $(zelor_data_dir): $(ls "$(zelor_data_dir)")"
}

test_a_broken_body_file_draws_text_and_shows_no_message() {
  mkdir -p "$(zelor_data_dir)"
  printf 'kein Koerper\n' >"$(zelor_data_dir)/kaputt.zel"
  reg_set Datei "$(win_path "$(zelor_data_dir)/kaputt.zel")"
  host_start
  local windows
  windows=$(xdotool search --onlyvisible --name '.' 2>/dev/null | sort)
  preview_start
  keeps_for 1 "a window appeared beside the host" \
    bash -c '[ "$(xdotool search --onlyvisible --name . 2>/dev/null | sort)" == "$1" ]' _ "$windows"
  wait_picture 'r>0.9&&g>0.9&&b>0.9' 20 5 "no white text in the preview's picture"
  host_quit
  wait_scr_exit 5
}

# Closes the host and fails unless the preview ends within a second of its
# windows. Wine's DestroyWindow of the host waits about 2s for the preview's
# child window, so the second counts from its return (the host reports both).
# While it ran, the preview answered every message within half a second: it
# looks at its messages, and so at its parent, between pieces of its work.
expect_preview_ends_with_its_host() {
  touch "$HOST_QUIT"
  local start destroyed ended now slowest
  start=$(date +%s%3N)
  slowest=$(wait_line "$HOST_OUT" '^slowest reply [0-9]+$' 10 | cut -d' ' -f3)
  [ "$slowest" -le 500 ] || fail "the preview took ${slowest}ms to answer a message"
  destroyed=$(wait_line "$HOST_OUT" '^destroyed [0-9]+$' 10 | cut -d' ' -f2)
  ended=$(wait_line "$HOST_OUT" '^preview (ended [0-9]+|running)$' 10)
  [ "$ended" != "preview running" ] || fail "the preview still ran 5s after its host's windows were gone"
  ended=${ended#preview ended }
  [ $((ended - destroyed)) -le 1000 ] || fail "the preview ended $((ended - destroyed))ms after its host's windows"
  # The Linux process follows within that second too.
  while scr_running; do
    now=$(date +%s%3N)
    [ $((now - start)) -le $((destroyed + 1000)) ] ||
      fail "Zelor2.scr still ran $((now - start - destroyed))ms after its host's windows were gone"
    sleep 0.05
  done
  wait_scr_exit 1
  host_quit
}

test_the_preview_ends_within_a_second_of_its_host() {
  use_two_bodies
  host_start
  preview_start
  expect_preview_ends_with_its_host
}

# The processor time of the preview's process per second of wall time, over
# the given seconds, as a decimal fraction.
cpu_share() {
  local seconds=$1 stat=/proc/$SCR_PID/stat ticks0 ticks1 t0 t1 hz
  grep -a -q 'Zelor2\.scr' "/proc/$SCR_PID/cmdline" 2>/dev/null || fail "process $SCR_PID is not Zelor2.scr"
  hz=$(getconf CLK_TCK)
  t0=$(date +%s%N)
  ticks0=$(awk '{print $14 + $15}' "$stat") || fail "cannot read $stat"
  sleep "$seconds"
  ticks1=$(awk '{print $14 + $15}' "$stat") || fail "cannot read $stat"
  t1=$(date +%s%N)
  awk -v t="$((ticks1 - ticks0))" -v hz="$hz" -v ns="$((t1 - t0))" 'BEGIN { printf "%.3f", t / hz / (ns / 1e9) }'
}

# However large the body file, the preview never weighs on its page: its
# process takes at most a tenth of one core, and it ends with the page.
test_the_preview_takes_at_most_a_tenth_of_a_core_and_ends_with_its_host() {
  local large share file
  large=$(zelor_data_dir)/gross.zel
  mkdir -p "$(zelor_data_dir)"
  zelor_bodies new --random 32766 --seed 21 "$large" >/dev/null || fail "could not write $large"
  for file in Voyager.zel gross.zel; do
    # Without "Datei", the preview shows the Voyager.zel the program carries.
    [ "$file" == Voyager.zel ] || reg_set Datei "$(win_path "$large")"
    host_start
    preview_start
    share=$(cpu_share 8)
    echo "    note: the preview of $file took $share of one core" >&2
    awk -v s="$share" 'BEGIN { exit !(s <= 0.10) }' || fail "the preview of $file took $share of one core"
    expect_preview_ends_with_its_host
  done
}

test_every_spelling_of_the_switch_starts_a_preview() {
  use_two_bodies
  local form
  for form in /p: /P -p -P /p; do
    host_start
    if [ "$form" == /p: ]; then
      scr_start "/p:$CHILD"
      keeps_for 2 "the preview ended by itself ($form)" scr_running
      expect_preview_window
    else
      preview_start "$form"
    fi
    host_quit
    wait_scr_exit 5
  done
}

test_a_saver_starts_beside_a_preview_and_still_runs_only_once() {
  use_two_bodies
  host_start
  preview_start
  local preview=$SCR_PID
  scr_start /s
  local saver=$SCR_PID
  wait_saver >/dev/null
  keeps_for 1 "the saver ended beside the preview" saver_alive
  # The saver's lock still stands against a second one.
  scr_start /s
  local i
  for ((i = 0; i < 150; i++)); do
    scr_running || break
    [ "$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | wc -l)" -le 1 ] || fail "a second saver window appeared"
    sleep 0.1
  done
  wait_scr_exit 1
  SCR_PID=$saver
  keeps_for 1 "the first saver ended" saver_alive
  wake_by_moving
  wait_scr_exit 20
  SCR_PID=$preview
  scr_running || fail "the preview ended with the saver"
  host_quit
  wait_scr_exit 5
}

# The dialog is owned by the window named on the command line, in either
# form ("/c:<HWND>" or "/c <HWND>").
options_owned_by_the_host() {
  use_two_bodies
  host_start --report-owner
  if [ "$1" == colon ]; then scr_start "/c:$HOST"; else scr_start /c "$HOST"; fi
  expect_eq "$(wait_line "$HOST_OUT" '^owner ' 30)" "owner ok" "the owner of the options dialog"
  local dialog
  dialog=$(wait_title '^Zelor2 - ' 10)
  focus "$dialog"
  keys Escape
  wait_scr_exit 10
  host_quit
}
test_options_with_a_colon_are_owned_by_the_host() { options_owned_by_the_host colon; }
test_options_with_a_space_are_owned_by_the_host() { options_owned_by_the_host space; }

run_tests
