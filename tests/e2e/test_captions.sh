#!/usr/bin/env bash
# Every caption of the options dialog and of both password dialogs shows whole
# at 96, 144 and 192 dots per inch. Wine takes its dots per inch from
# LogPixels under HKCU\Control Panel\Desktop when its server starts.
# caption_probe.exe measures each caption of the open dialog in the dialog's
# own font, as the platform lays it out, against the control's real size.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PROBE_EXE=${ZELOR_CAPTION_PROBE:-$(dirname "$ZELOR_SCR")/../tests/caption_probe.exe}
[ -f "$PROBE_EXE" ] || fail "$PROBE_EXE is missing; build the windows preset"

set_dpi() {
  timeout 30 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "reg add LogPixels $1"
  wineserver -k 2>/dev/null
  timeout 30 wineserver -w 2>/dev/null
}
# The other test files share the prefix and expect Wine's 96.
trap 'set_dpi 96; wineserver -k 2>/dev/null' EXIT

# Measures the open dialog made from the template with this id, found by the
# start of its title; fails with the probe's report unless every caption
# fits and the dialog is at the expected dots per inch.
expect_captions_whole() {
  local id=$1 title=$2 dpi=$3 out status
  out=$(timeout 60 wine "$PROBE_EXE" "$(z_path "$ZELOR_SCR")" "$id" "$title" 2>&1 | tr -d '\r')
  status=${PIPESTATUS[0]}
  echo "$out" | sed 's/^/    /' >&2
  grep -qx "dpi $dpi" <<<"$out" || fail "'$title' is not at $dpi dpi"
  [ "$status" -eq 0 ] || fail "a caption of '$title' is cut at $dpi dpi (probe status $status)"
}

# The dialog's window as it is on the screen, for a person to look at.
save_window() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2" 2>/dev/null || fail "screenshot $2"
}

captions_at() {
  local dpi=$1 window
  set_dpi "$dpi"
  scr_start /c
  # The first program after the restart starts Wine's server and services.
  window=$(wait_title '^Zelor2 - ' 90) || exit 1
  expect_captions_whole 200 "Zelor2 - " "$dpi"
  save_window "$window" "$E2E_OUT/options_${dpi}dpi.png"
  sleep 0.3
  focus "$window"
  keys Escape
  wait_scr_exit 20

  scr_start /a
  window=$(wait_window Passwort-Eingabe 30) || exit 1
  expect_captions_whole 300 Passwort-Eingabe "$dpi"
  sleep 0.3
  focus "$window"
  keys Escape
  wait_scr_exit 20

  # No password stored: a typed character asks, and an empty OK ends the run.
  scr_start /s
  window=$(wait_saver) || exit 1
  sleep 0.5
  focus "$window"
  type_text q
  window=$(wait_window Passwort-Abfrage 15) || exit 1
  expect_captions_whole 301 Passwort-Abfrage "$dpi"
  focus "$window"
  sleep 0.3
  keys Return
  wait_scr_exit 30
}

for dpi in 96 144 192; do
  eval "test_every_caption_shows_whole_at_${dpi}_dpi() { captions_at $dpi; }"
done

TEST_TIMEOUT=${TEST_TIMEOUT:-240}
run_tests
