#!/usr/bin/env bash
# Saver runs with the settings a user really has: a fresh install run again
# and again, a long run's day counter, a results file beside a file of the
# user's, and a huge sky.
source "$(dirname "$0")/lib.sh"

# Moves the pointer twice: a position at the screen's centre (the saver's
# origin) only counts as a starting point.
wake_by_moving() {
  pointer 100 100
  sleep 0.3
  pointer 300 250
}

# Fails unless the stored size is a number below the limit (in AU).
expect_below() {
  local key=$1 limit=$2 text
  text=$(reg_get "$key")
  python3 -c 'import sys; sys.exit(0 if float(sys.argv[1].replace(",", ".")) < float(sys.argv[2]) else 1)' \
    "$text" "$limit" 2>/dev/null || fail "$key is '$text' after run $3, not below $limit"
}

# Prints the coloured (not black) pixels of a screenshot at 3 to 250 pixels
# from the screen's centre, one count per quadrant, leaving out the label's
# corner. A sky that has grown past the planets draws every orbit into the
# centre pixel, which leaves all four counts at 0.
ring_pixels() {
  convert "$1" -depth 8 ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
pixels = parts[4]
cx, cy = w // 2, h // 2
counts = [0, 0, 0, 0]
for y in range(max(0, cy - 250), min(h, cy + 251)):
    for x in range(max(0, cx - 250), min(w, cx + 251)):
        if x < 300 and y < 100:
            continue
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if d2 < 9 or d2 > 250 * 250:
            continue
        k = 3 * (y * w + x)
        if pixels[k:k + 3] != b"\0\0\0":
            counts[(x >= cx) + 2 * (y >= cy)] += 1
print(*counts)
'
}

test_five_runs_of_a_fresh_install_keep_a_sky_that_shows_the_planets() {
  local run shot=$E2E_OUT/default-runs-fifth.png counts q
  for run in 1 2 3 4 5; do
    scr_start /s
    wait_saver >/dev/null
    keeps_for 3 "run $run reported an error or ended" saver_alive
    [ "$run" -lt 5 ] || screenshot "$shot"
    wake_by_moving
    wait_scr_exit 20
    expect_below Breite 100 "$run"
    expect_below "Höhe" 100 "$run"
  done
  counts=$(ring_pixels "$shot") || fail "could not read $shot"
  echo "    coloured pixels around the sun by quadrant: $counts" >&2
  for q in $counts; do
    [ "$q" -ge 20 ] || fail "the fifth run's orbits are no rings around the sun ($counts pixels by quadrant; $shot)"
  done
}

# The number the label in the top-left corner shows, as read by OCR from the
# corner enlarged, in black on white; the second argument is how wide the
# corner is (default 700 pixels, for counts of many digits: an orbit drawn
# right of a short label's box can read as one more digit).
label_text() {
  convert "$1" -crop "${2:-700}x48+0+0" +repage -colorspace Gray -negate -resize 400% -threshold 50% "$1.label.png" ||
    fail "could not crop the label of $1"
  timeout 60 tesseract "$1.label.png" - --psm 7 -c tessedit_char_whitelist=0123456789.,E+ 2>/dev/null | tr -d ' \n'
}

# One million days a step takes the day count past 9 digits within the first
# hundred steps and keeps it an integer below 10^15 for many minutes. A lone
# sun at rest draws nothing beside the label, where a flying planet's line
# would read as one more character.
test_a_day_count_of_many_digits_is_shown_whole() {
  command -v tesseract >/dev/null || fail "tesseract is not installed"
  local dir
  dir=$(zelor_data_dir)
  mkdir -p "$dir"
  write_bodies "$dir/sonne.zel" "Sonne 332946 0 0 0 0 0xFFFFFF"
  reg_set Datei "$(win_path "$dir/sonne.zel")"
  reg_set Intervall 1000000
  scr_start /s
  wait_saver >/dev/null
  keeps_for 2 "the run reported an error or ended" saver_alive
  local first=$E2E_OUT/default-runs-label-1.png second=$E2E_OUT/default-runs-label-2.png a b
  screenshot "$first"
  sleep 1
  screenshot "$second"
  keeps_for 0 "the run ended" saver_alive
  wake_by_moving
  wait_scr_exit 20
  a=$(label_text "$first")
  b=$(label_text "$second")
  echo "    the label read: '$a', a second later '$b'" >&2
  # Every count is a whole number of steps times 10^6, so a cut shows as
  # missing digits or as a number that does not end in six zeros.
  [[ "$b" =~ ^[0-9]{3,9}000000$ ]] || fail "the label shows '$b', not a whole day count of 9 or more digits ($second)"
  [[ "$a" =~ ^[0-9]+$ ]] && ((${#a} <= ${#b})) && [ "$a" != "$b" ] ||
    fail "the day count did not grow: '$a', then '$b'"
}

# A screenshot and the moment it shows (seconds since the epoch, the middle
# of the time the capture took), as "TIME" in SHOT_TIME.
SHOT_TIME=""
timed_screenshot() {
  local before after
  before=$(date +%s.%N)
  screenshot "$1"
  after=$(date +%s.%N)
  SHOT_TIME=$(python3 -c 'import sys; print((float(sys.argv[1]) + float(sys.argv[2])) / 2)' "$before" "$after")
}

# Fails unless the number lies within 10% of the expected one.
expect_within_tenth() {
  python3 -c 'import sys; a, e = float(sys.argv[1]), float(sys.argv[2]); sys.exit(0 if abs(a - e) <= 0.1 * e else 1)' \
    "$1" "$2" || fail "$3: $1, expected $2 +- 10%"
}

# The process's processor time so far (user and system), in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || fail "no process $1"; }

# Runs the saver about 5 seconds at 2 days a step and checks that the label
# counts the given steps a second +- 10%; prints the share of one core the
# process used between the two pictures, in percent.
RUN_CPU_PERCENT=""
expect_steps_a_second() {
  local steps=$1 early=$E2E_OUT/tempo-$1-1s.png late=$E2E_OUT/tempo-$1-5s.png shown a b ta tb ca cb
  reg_set Intervall 2
  scr_start /s
  wait_saver >/dev/null
  shown=$(date +%s.%N)
  sleep 1
  timed_screenshot "$early"
  ta=$SHOT_TIME
  ca=$(cpu_ticks "$SCR_PID")
  sleep "$(python3 -c 'import sys; print(max(0, float(sys.argv[1]) + 5 - float(sys.argv[2])))' "$shown" "$(date +%s.%N)")"
  timed_screenshot "$late"
  tb=$SHOT_TIME
  cb=$(cpu_ticks "$SCR_PID")
  keeps_for 0 "the run ended" saver_alive
  wake_by_moving
  wait_scr_exit 20
  # The label's own box at 96 dpi: 2055 twips, 137 pixels.
  a=$(label_text "$early" 137)
  b=$(label_text "$late" 137)
  echo "    the label read '$a' after $(python3 -c "print(round($ta - $shown, 2))") s, '$b' after $(python3 -c "print(round($tb - $shown, 2))") s" >&2
  [[ "$a" =~ ^[0-9]+$ && "$b" =~ ^[0-9]+$ ]] || fail "the label is no day count: '$a', '$b'"
  expect_within_tenth "$b" "$(python3 -c "print(2 * $steps * ($tb - $shown))")" "days shown about 5 s after the window appeared"
  expect_within_tenth "$((b - a))" "$(python3 -c "print(2 * $steps * ($tb - $ta))")" "days counted between the two pictures"
  RUN_CPU_PERCENT=$(python3 -c "print(round(100 * ($cb - $ca) / $(getconf CLK_TCK) / ($tb - $ta), 1))")
  echo "    processor time between the pictures: $RUN_CPU_PERCENT% of a core" >&2
}

test_a_tempo_of_200_counts_about_2000_days_in_5_seconds() {
  command -v tesseract >/dev/null || fail "tesseract is not installed"
  reg_set Tempo 200
  expect_steps_a_second 200
}

# Nothing stored: one step a frame, and the machine mostly idle. The process's
# own processor time does not grow with other load on the machine.
test_a_fresh_install_makes_60_steps_a_second_on_a_twentieth_of_a_core() {
  command -v tesseract >/dev/null || fail "tesseract is not installed"
  expect_steps_a_second 60
  python3 -c "import sys; sys.exit(0 if $RUN_CPU_PERCENT <= 5 else 1)" ||
    fail "the run took $RUN_CPU_PERCENT% of a core"
}

# Every body starts on the x axis and a short run at one step a second traces
# hardly any height: the next sky keeps the 4 by 3 it started with.
test_a_short_run_along_one_axis_keeps_the_skys_shape() {
  local dir
  dir=$(zelor_data_dir)
  mkdir -p "$dir"
  write_bodies "$dir/achse.zel" \
    "Sonne 332946 0 0 0 0 0xFFFFFF" \
    "Rot 1 -1.05e11 0 35500 270 0x0000FF" \
    "Gruen 1 6e10 0 47000 90 0x00FF00"
  reg_set Datei "$(win_path "$dir/achse.zel")"
  reg_set Speicher "$(win_path "$dir/ergebnis.zel")"
  reg_set speichern True
  reg_set Tempo 1
  reg_set Breite 4
  reg_set Höhe 3
  scr_start /s
  wait_saver >/dev/null
  keeps_for 1 "the run reported an error or ended" saver_alive
  wake_by_moving
  wait_scr_exit 20
  [ -s "$dir/ergebnis.zel" ] || fail "no results written"
  local width height
  width=$(reg_get Breite)
  height=$(reg_get Höhe)
  echo "    the next sky: $width by $height" >&2
  python3 -c 'import sys; w, h = (float(a.replace(",", ".")) for a in sys.argv[1:]); sys.exit(0 if abs(w / h / (4 / 3) - 1) <= 0.01 else 1)' \
    "$width" "$height" || fail "the next sky is $width by $height, not of the shape 4 by 3"
}

# A results file Ergebnis.zel in a folder of its own, saving on.
results_setup() {
  RESULTS_DIR=$(zelor_data_dir)/Ergebnisse
  mkdir -p "$RESULTS_DIR"
  reg_set Speicher "$(win_path "$RESULTS_DIR/Ergebnis.zel")"
  reg_set speichern True
  printf 'Notizen des Benutzers\r\n' >"$RESULTS_DIR/Ergebnis.zel.tmp"
  cp "$RESULTS_DIR/Ergebnis.zel.tmp" "$E2E_OUT/user-file"
}

run_and_end() {
  scr_start /s
  wait_saver >/dev/null
  keeps_for 2 "the run reported an error or ended" saver_alive
  wake_by_moving
  wait_scr_exit 20
  expect_sky_written
}

expect_user_file_kept() {
  [ -f "$RESULTS_DIR/Ergebnis.zel.tmp" ] || fail "the user's Ergebnis.zel.tmp is gone $1"
  cmp -s "$RESULTS_DIR/Ergebnis.zel.tmp" "$E2E_OUT/user-file" || fail "the user's Ergebnis.zel.tmp was changed $1"
}

test_a_users_file_named_like_the_temporary_file_survives_a_save() {
  results_setup
  run_and_end
  expect_user_file_kept "by the save"
  [ -s "$RESULTS_DIR/Ergebnis.zel" ] || fail "no results written"
  expect_eq "$(($(stat -c %s "$RESULTS_DIR/Ergebnis.zel") % 59))" 0 "size of the results modulo a record"
  expect_eq "$(reg_get Datei)" "$(win_path "$RESULTS_DIR/Ergebnis.zel")" "Datei after the save"
  expect_eq "$(ls -A "$RESULTS_DIR" | tr '\n' ' ')" "Ergebnis.zel Ergebnis.zel.tmp " "files beside the results"
}

# The results path names a folder, so the file cannot take its place.
test_a_users_file_named_like_the_temporary_file_survives_a_failed_save() {
  results_setup
  mkdir "$RESULTS_DIR/Ergebnis.zel"
  run_and_end
  expect_user_file_kept "by the failed save"
  [ -d "$RESULTS_DIR/Ergebnis.zel" ] || fail "the folder in the results' place is gone"
  expect_eq "$(ls -A "$RESULTS_DIR/Ergebnis.zel")" "" "the folder's content"
  expect_eq "$(reg_get Datei)" ABSENT "Datei after the failed save"
  expect_eq "$(ls -A "$RESULTS_DIR" | tr '\n' ' ')" "Ergebnis.zel Ergebnis.zel.tmp " "files left after the failed save"
}

# A sky of 10^300 AU: a movement of a few pixels is still a movement.
test_a_small_movement_ends_a_run_with_a_huge_sky() {
  reg_set Breite 1E+300
  pointer 200 200
  scr_start /s
  wait_saver >/dev/null
  keeps_for 1 "the run reported an error or ended" saver_alive
  local i
  for ((i = 0; i < 40; i++)); do
    scr_running || break
    window_shown Passwort-Abfrage && fail "a movement asked for the password although none is stored"
    if ((i % 2)); then pointer 200 200; else pointer 203 204; fi
    sleep 0.25
  done
  window_shown Passwort-Abfrage && fail "a movement asked for the password although none is stored"
  wait_scr_exit 5
  expect_sky_written
}

TEST_TIMEOUT=${TEST_TIMEOUT:-240}
run_tests
