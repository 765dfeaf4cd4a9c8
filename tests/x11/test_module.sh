#!/usr/bin/env bash
# The native program as a saver module and as a window of its own: where it
# draws, how it ends, and what it stores.
source "$(dirname "$0")/lib.sh"

# The window is named on the command line, or only in the daemon's variable;
# a name on the command line wins over the variable's (here the root).
test_a_given_window_gets_the_orbits_and_nothing_outside_it() {
  fresh_home given-window
  three_bodies "$TEST_DIR/work/drei.zel"
  local way id shot=$TEST_DIR/window.png inside all
  for way in variable option; do
    "$TEST_WINDOW" 200 150 400 300 >"$TEST_DIR/helper" &
    HELPER_PID=$!
    wait_for 10 "no test window" grep -qs '^0x' "$TEST_DIR/helper"
    id=$(head -n 1 "$TEST_DIR/helper")
    if [ "$way" = variable ]; then
      XSCREENSAVER_WINDOW=$id z_start -file "$TEST_DIR/work/drei.zel"
    else
      XSCREENSAVER_WINDOW=$(xwininfo -root | awk '/Window id:/ {print $4}') \
        z_start -window-id "$id" -file "$TEST_DIR/work/drei.zel"
    fi
    wait_for 15 "no red orbit in the window ($way)" red_drawn 400x300+200+150
    screenshot "$shot"
    kill -TERM "$Z_PID"
    wait_z_exit 10
    # Everything but the window is the black root: the screen's non-black
    # pixels all lie inside the window.
    inside=$(count_where "$shot" 400x300+200+150 'r+g+b>0')
    all=$(count_where "$shot" 1024x768+0+0 'r+g+b>0')
    [ "$inside" -gt 100 ] || fail "only $inside pixels drawn in the window ($way)"
    expect_eq "$all" "$inside" "non-black pixels on the whole screen ($way)"
    # Its end uncovers the black root again for the next way.
    kill "$HELPER_PID"
    wait "$HELPER_PID" 2>/dev/null
    HELPER_PID=""
  done
}

# On the root, with its own window nowhere; then once more on a server
# without MIT-SHM, where the picture goes over the plain XPutImage path.
test_root_draws_on_the_root_window_with_and_without_shared_memory() {
  fresh_home root
  three_bodies "$TEST_DIR/work/drei.zel"
  local before server shot=$TEST_DIR/root.png
  before=$(top_windows)
  for server in shared plain; do
    if [ "$server" = plain ]; then
      start_xvfb -extension MIT-SHM || fail "no Xvfb without MIT-SHM"
      HELPER_PID=$XVFB_PID
      ! xdpyinfo | grep -q MIT-SHM || fail "the server on $DISPLAY still offers MIT-SHM"
      before=$(top_windows)
    fi
    z_start -root -file "$TEST_DIR/work/drei.zel"
    wait_for 15 "no red orbit on the root ($server)" red_drawn 1024x768+0+0
    expect_eq "$(top_windows)" "$before" "the top-level windows while it runs ($server)"
    # The sky spans the whole screen: the sun stays at its centre.
    screenshot "$shot"
    expect_eq "$(pixel "$shot" 512 384)" FFFFFF "the sun at the screen's centre ($server)"
    kill -TERM "$Z_PID"
    wait_z_exit 10
  done
}

# Traces a running zelor2's syncs and renames, every thread's, each
# descriptor with its path, into $TEST_DIR/saves; returns once attached.
trace_saves() {
  strace -f -qq -y -p "$Z_PID" -e trace=fsync,fdatasync,rename,renameat,renameat2 -o "$TEST_DIR/saves" &
  TRACER=$!
  wait_for 5 "strace did not attach to zelor2" traced
}
traced() { [ "$(awk '/^TracerPid:/ {print $2}' "/proc/$Z_PID/status" 2>/dev/null)" -gt 0 ] 2>/dev/null; }

# The file reached the disk before it took the old one's place, and its
# folder after: a sync of the temporary file, then the rename onto the
# file, then a sync of the folder.
saved_durably() {
  local real
  real=$(realpath -m "$1")
  awk -v file="$1" -v real="$real" -v folder="${real%/*}" '
    /f(data)?sync\(/ && index($0, "<" real ".tmp>") { synced = 1 }
    /rename/ && synced && index($0, "\"" file "\"") { renamed = 1 }
    /f(data)?sync\(/ && renamed && index($0, "<" folder ">") { done = 1 }
    END { exit !done }' "$TEST_DIR/saves"
}
tracer_ended() { ! kill -0 "$TRACER" 2>/dev/null; }

test_sigterm_and_sigint_with_saving_on_store_the_results_and_the_sky() {
  local signal
  for signal in TERM INT; do
    fresh_home "sig$signal"
    three_bodies "$TEST_DIR/work/drei.zel"
    mkdir -p "$(dirname "$CONF")"
    printf '[Einstellungen]\nDatei=%s\nSpeicher=%s\nspeichern=True\n' \
      "$TEST_DIR/work/drei.zel" "$TEST_DIR/work/ergebnis.zel" >"$CONF"
    z_start -root
    wait_for 15 "no red orbit on the root" red_drawn 1024x768+0+0
    trace_saves
    kill -"$signal" "$Z_PID"
    wait_z_exit 10
    wait_for 5 "strace still running after zelor2 ended" tracer_ended
    local file
    for file in "$TEST_DIR/work/ergebnis.zel" "$CONF"; do
      saved_durably "$file" ||
        fail "${file##*/} was not synced, then renamed, then its folder synced on SIG$signal: $(cat "$TEST_DIR/saves")"
    done
    local size
    size=$(stat -c %s "$TEST_DIR/work/ergebnis.zel" 2>/dev/null) || fail "no results file after SIG$signal"
    expect_eq "$size" $((3 * 59)) "size of the results file after SIG$signal"
    expect_eq "$(conf_get Datei)" "$TEST_DIR/work/ergebnis.zel" "Datei after saving on SIG$signal"
    [ "$(conf_get Breite)" != ABSENT ] || fail "the sky's width was not stored on SIG$signal"
    [ "$(conf_get Höhe)" != ABSENT ] || fail "the sky's height was not stored on SIG$signal"
  done
}

# A module that cannot run shows why in its window until it is ended, and
# then exits with status 1.
test_a_broken_body_file_is_reported_in_german_and_nothing_is_written() {
  fresh_home broken
  : >"$TEST_DIR/work/leer.zel"
  z_start -root -file "$TEST_DIR/work/leer.zel" -save -results "$TEST_DIR/work/ergebnis.zel"
  message_in_window "leer Datensatz Bytes"
  z_running || fail "the module ended by itself"
  kill -TERM "$Z_PID"
  wait_z_exit 10 1
  grep -q 'enthält keinen vollständigen Datensatz' "$TEST_DIR/stderr" ||
    fail "stderr lacks the message: $(cat "$TEST_DIR/stderr")"
  expect_eq "$(find "$TEST_DIR" -newer "$TEST_DIR/work/leer.zel" -type f ! -name 'std*' ! -name '*.png')" "" \
    "files written"
  [ ! -e "$XDG_CONFIG_HOME" ] && [ ! -e "$XDG_DATA_HOME" ] || fail "a settings or data folder was made"
}

# A broken setting the same way in a given window, which also goes on
# showing it when it is uncovered; a window of its own ends at once.
test_a_broken_setting_shows_its_message_in_the_given_window_and_fullscreen_ends_with_status_1() {
  fresh_home broken-setting
  mkdir -p "$(dirname "$CONF")"
  printf '[Einstellungen]\nBreite=abc\n' >"$CONF"
  "$TEST_WINDOW" 112 84 800 600 >"$TEST_DIR/helper" &
  HELPER_PID=$!
  wait_for 10 "no test window" grep -qs '^0x' "$TEST_DIR/helper"
  XSCREENSAVER_WINDOW=$(head -n 1 "$TEST_DIR/helper") z_start -root
  message_in_window "Bildschirmbreite Zahl" 800x600+112+84
  "$TEST_WINDOW" 300 300 200 100 >"$TEST_DIR/cover" &
  local cover=$!
  wait_for 10 "no covering window" grep -qs '^0x' "$TEST_DIR/cover"
  kill "$cover"
  wait "$cover" 2>/dev/null
  message_in_window "Bildschirmbreite Zahl" 800x600+112+84
  kill -TERM "$Z_PID"
  wait_z_exit 10 1
  grep -q 'Die Einstellung .*Bildschirmbreite.*abc' "$TEST_DIR/stderr" || fail "stderr lacks the message: $(cat "$TEST_DIR/stderr")"
  z_start -fullscreen
  wait_z_exit 10 1
  grep -q 'Die Einstellung .*Bildschirmbreite.*abc' "$TEST_DIR/stderr" || fail "stderr lacks the message (-fullscreen)"
}

test_fullscreen_ends_on_a_pointer_move_and_stores_its_end() {
  fresh_home fullscreen
  z_start -fullscreen
  wait_for 15 "no window Zelor2" xdotool search --onlyvisible --name '^Zelor2$'
  local geometry
  geometry=$(xwininfo -id "$(xdotool search --onlyvisible --name '^Zelor2$' | head -n 1)" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
         END {print w "x" h "+" x "+" y}')
  expect_eq "$geometry" 1024x768+0+0 "the window's place and size"
  # The carried sample is written on the first run and drawn (below the label).
  wait_for 15 "no picture" drawn 1024x700+0+68 'r+g+b>0'
  [ -s "$DATA/Voyager.zel" ] || fail "the carried Voyager.zel was not written"
  xdotool mousemove 100 100
  keeps_for 1 "ended by the first pointer report" z_running
  xdotool mousemove 300 250
  wait_z_exit 10
  [ "$(conf_get Breite)" != ABSENT ] || fail "the end of the run was not stored"
}

# The galaxy maker's 32,766 bodies: the tree makes a step in milliseconds,
# every pair in over a second, in pieces with a look at the input between
# them. Either way the run ends within half a second of a move, its results
# (the last whole step, through the escape test) written.
test_fullscreen_ends_within_half_a_second_of_a_move_with_the_galaxies() {
  fresh_home galaxies
  local galaxies=$TEST_DIR/work/galaxien.zel results=$TEST_DIR/work/ergebnis.zel approximation
  zelor_bodies new Galaxien "$galaxies" >/dev/null || fail "could not write $galaxies"
  for approximation in -approx -no-approx; do
    rm -f "$results"
    z_start -fullscreen -tempo 0 -file "$galaxies" -interval 0.08 -sky 16x9 "$approximation" -save -results "$results"
    wait_for 30 "no window Zelor2 ($approximation)" xdotool search --onlyvisible --name '^Zelor2$'
    sleep 2  # in the middle of the steps
    xdotool mousemove 100 100
    sleep 0.3
    expect_gone_within_half_a_second "zelor2 $approximation" "$Z_PID" xdotool mousemove 300 250
    wait_z_exit 1
    expect_whole_records "$results" 32766 "results file ($approximation)"
  done
}

# Keys go through the same rules as on Windows, but a module has no password
# query: a typed character and a key without one end the run, Shift alone
# waits for the key it modifies.
test_fullscreen_ends_on_a_key_but_not_on_shift_alone() {
  local key window
  for key in q F5; do
    fresh_home "fullscreen-$key"
    z_start -fullscreen
    wait_for 15 "no window Zelor2" xdotool search --onlyvisible --name '^Zelor2$'
    window=$(xdotool search --onlyvisible --name '^Zelor2$' | head -n 1)
    xdotool windowfocus --sync "$window" key shift
    keeps_for 1 "ended by Shift alone" z_running
    xdotool key "$key"
    wait_z_exit 10
  done
}

# The stored sky grew round other bodies; a run given BinaryStar.zel without
# -sky fits its own sky to the binary, and leaves the settings file as it was.
test_file_without_sky_draws_the_binary_large_and_stores_nothing() {
  fresh_home file-sky
  mkdir -p "$(dirname "$CONF")"
  printf '[Einstellungen]\nBreite=55.4\nH\xc3\xb6he=41.6\nspeichern=True\nSpeicher=%s\n' \
    "$TEST_DIR/work/ergebnis.zel" >"$CONF"
  cp "$CONF" "$TEST_DIR/conf-before"
  z_start -root -file "$ZELOR_ROOT/data/BinaryStar.zel"
  wait_for 15 "no picture" drawn 1024x700+0+68 'r+g+b>0'
  sleep 2
  local shot=$TEST_DIR/binary.png width
  screenshot "$shot"
  kill -TERM "$Z_PID"
  wait_z_exit 10
  width=$(drawn_width "$shot")
  ((width >= 256)) || fail "the binary is drawn $width pixels across, less than a quarter of the screen"
  cmp -s "$CONF" "$TEST_DIR/conf-before" || fail "zelor2.conf changed: $(diff "$TEST_DIR/conf-before" "$CONF")"
}

# Substeps make Mercury's orbit on InnerPlanets.zel a line: the classic step
# turns it into a thick band within seconds. Both runs get the same sky and
# the same 1000 steps a second for the same time.
test_accuracy_16_draws_mercurys_band_thinner_than_accuracy_1() {
  fresh_home accuracy
  local colour accuracy shot width widths=()
  colour=$(body_colour "$ZELOR_ROOT/data/InnerPlanets.zel" Merkur) || exit 1
  for accuracy in 1 16; do
    shot=$TEST_DIR/accuracy-$accuracy.png
    z_start -root -file "$ZELOR_ROOT/data/InnerPlanets.zel" -sky 1x1 -tempo 1000 -accuracy "$accuracy"
    wait_for 15 "no Mercury (#$colour) drawn at accuracy $accuracy" band_shown "$TEST_DIR/poll.png" "$colour"
    sleep 3  # the run's length: about 3000 steps, 16 years
    screenshot "$shot"
    kill -TERM "$Z_PID"
    wait_z_exit 10
    width=$(band_width "$shot" "$colour") || fail "cannot read $shot"
    widths+=("$width")
  done
  expect_thinner_band "${widths[@]}"
}

run_tests
