#!/usr/bin/env bash
# Zelor2-Setup.exe and its uninstaller: silent installs for all users and for
# one, what they leave in the system folder, the registry and the user's
# folder, the installed saver drawing, a second install over the first, and
# the installer's German window. The installer speaks German whatever the
# locale, so one locale is enough.
source "$(dirname "$0")/lib.sh"

SETUP=$E2E_OUT/installer/Zelor2-Setup.exe
UNINSTALL_SUBKEY='Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelor2'
DESKTOP_KEY='HKCU\Control Panel\Desktop'
SYSTEM_SCR=$WINEPREFIX/drive_c/windows/system32/Zelor2.scr
PROGRAM_DIR="$WINEPREFIX/drive_c/Program Files/Zelor2"
USER_PROGRAM_DIR=$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Programs/Zelor2
SAMPLES=(Voyager.zel InnerPlanets.zel BinaryStar.zel FigureEight.zel)

# A text value of any key, or ABSENT.
value_of() { local REG_KEY=$1; reg_get "$2"; }
# The Linux path of a Windows path.
unix_path() { timeout 30 winepath -u "$1" 2>/dev/null | tr -d '\r'; }
same_file() { [ "$(realpath -m "$1")" == "$(realpath -m "$2")" ]; }

# The whole uninstall key as reg shows it, or ABSENT.
uninstall_entry() {
  local out
  out=$(reg_query "$1\\$UNINSTALL_SUBKEY") || fail "reg query of the $1 uninstall key failed"
  [ "$out" == ABSENT ] || grep -q 'DisplayName' <<<"$out" || fail "reg query of the $1 uninstall key: $out"
  echo "$out"
}

set_desktop() {
  timeout 30 wine reg add "$DESKTOP_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 || fail "reg add $1"
}

# Whether Wine's own list of installed programs, which reads the "Apps"
# entries, names Zelor2.
wine_lists_zelor2() {
  local out
  out=$(timeout 60 wine uninstaller --list 2>/dev/null) || fail "wine uninstaller --list failed: $out"
  tr -d '\r' <<<"$out" | grep -q -E '^[^|]*\|\|\|Zelor2$'
}

# Installs leave files and keys that reset_state, which has just ended every
# Wine process, does not know of; one regedit run removes the keys.
forget_installs() {
  local reg=$E2E_OUT/forget-installs.reg
  rm -rf "$SYSTEM_SCR" "$PROGRAM_DIR" "$USER_PROGRAM_DIR"
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    "[-HKEY_LOCAL_MACHINE\\$UNINSTALL_SUBKEY]" "[-HKEY_CURRENT_USER\\$UNINSTALL_SUBKEY]" \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"SCRNSAVE.EXE"=-' '"ScreenSaverIsSecure"=-' >"$reg"
  timeout 30 wine regedit /S "$(z_path "$reg")" >/dev/null 2>&1
  return 0
}

setup_silently() {
  local status
  timeout 90 wine "$SETUP" /S "$@" >>"$E2E_OUT/wine.log" 2>&1
  status=$?
  [ "$status" -eq 0 ] || fail "Zelor2-Setup.exe /S $* ended with status $status"
}

# True while an uninstaller's copy of itself (NSIS runs it as
# %TEMP%\~nsuN.tmp\Un.exe) runs in this prefix.
uninstaller_copy_running() {
  local pid
  for pid in $(pgrep -f 'nsu[0-9A-F]+\.tmp.Un\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# Runs the quiet uninstall command of the entry under the root key (HKLM or
# HKCU) for the program folder given. The uninstaller goes on in a copy of
# itself, which deletes the original; the wait ends when that copy has.
uninstall_silently() {
  local root=$1 folder=$2 command exe i
  shift 2
  command=$(value_of "$root\\$UNINSTALL_SUBKEY" QuietUninstallString)
  [[ "$command" =~ ^\"([^\"]+)\"\ /S$ ]] || fail "QuietUninstallString is '$command'"
  exe=${BASH_REMATCH[1]}
  timeout 60 wine "$exe" /S "$@" >>"$E2E_OUT/wine.log" 2>&1 || fail "the uninstaller $* failed"
  for ((i = 0; i < 600; i++)); do
    [ ! -e "$folder/Zelor2-Deinstallation.exe" ] && ! uninstaller_copy_running && return 0
    sleep 0.1
  done
  fail "the uninstaller has not finished within 60s"
}

expect_samples_as_shipped() {
  local f
  for f in "${SAMPLES[@]}"; do
    cmp -s "$ZELOR_ROOT/data/$f" "$(zelor_data_dir)/$f" || fail "$f in %APPDATA%\\Zelor2 is not the shipped sample"
  done
}

expect_active_saver() {
  local value
  value=$(value_of "$DESKTOP_KEY" SCRNSAVE.EXE)
  same_file "$(unix_path "$value")" "$1" || fail "SCRNSAVE.EXE is '$value', not $1"
  expect_eq "$(value_of "$DESKTOP_KEY" ScreenSaveActive)" 1 "ScreenSaveActive"
}

expect_entry_value() {
  grep -q -E "^ +$2 +REG_(SZ|DWORD) +$3\$" <<<"$1" || fail "uninstall entry has no $2 '$3': $1"
}

test_a_silent_install_for_all_users_puts_everything_in_place_and_the_saver_draws() {
  local entry size_kb exe shot=$E2E_OUT/installer-run.png coloured
  forget_installs
  setup_silently
  cmp -s "$ZELOR_SCR" "$SYSTEM_SCR" || fail "no Zelor2.scr in the 64-bit system folder"
  expect_samples_as_shipped
  expect_active_saver "$SYSTEM_SCR"

  entry=$(uninstall_entry HKLM)
  [ "$entry" != ABSENT ] || fail "no uninstall entry for all users"
  expect_entry_value "$entry" DisplayName Zelor2
  expect_entry_value "$entry" DisplayVersion 1.00
  expect_entry_value "$entry" Publisher Zelor2
  expect_entry_value "$entry" QuietUninstallString '".*\\Zelor2-Deinstallation\.exe" /S'
  size_kb=$(grep -E '^ +EstimatedSize' <<<"$entry" | awk '{print $3}')
  (( size_kb >= $(stat -c %s "$ZELOR_SCR") / 1024 )) || fail "EstimatedSize $size_kb KB is less than the program"
  exe=$(value_of "HKLM\\$UNINSTALL_SUBKEY" DisplayIcon)
  [ -f "$(unix_path "${exe%,0}")" ] || fail "DisplayIcon names no file: $exe"

  # Started as Windows starts the active saver.
  ZELOR_SCR=$(value_of "$DESKTOP_KEY" SCRNSAVE.EXE) scr_start /s
  wait_saver >/dev/null
  keeps_for 3 "the installed saver reported an error or ended" saver_alive
  screenshot "$shot"
  pointer 100 100
  sleep 0.3
  pointer 300 250
  wait_scr_exit 20
  # Below the label in the top-left corner.
  coloured=$(count_where "$shot" 1024x600+0+100 'r+g+b>0')
  ((coloured >= 100)) || fail "the installed saver drew only $coloured coloured pixels ($shot)"
}

test_a_silent_uninstall_removes_the_program_and_its_keys_and_keeps_the_users_files() {
  local active
  forget_installs
  active=$(value_of "$DESKTOP_KEY" ScreenSaveActive)
  setup_silently
  write_bodies "$(zelor_data_dir)/Temp.zel" "Sonne 332946 0 0 0 0 0x0000FFFF"
  reg_set Intervall 3
  uninstall_silently HKLM "$PROGRAM_DIR"
  [ ! -e "$SYSTEM_SCR" ] || fail "Zelor2.scr is still in the system folder"
  [ ! -e "$PROGRAM_DIR" ] || fail "the uninstaller's folder is still there"
  expect_eq "$(uninstall_entry HKLM)" ABSENT "uninstall entry"
  # Before the install there was no active saver.
  expect_eq "$(value_of "$DESKTOP_KEY" SCRNSAVE.EXE)" ABSENT "SCRNSAVE.EXE"
  expect_eq "$(value_of "$DESKTOP_KEY" ScreenSaveActive)" "$active" "ScreenSaveActive"
  [ -f "$(zelor_data_dir)/Temp.zel" ] || fail "the user's results file is gone"
  expect_samples_as_shipped
  expect_eq "$(reg_get Intervall)" 3 "Intervall"
}

test_a_per_user_install_and_an_uninstall_that_removes_settings_and_files() {
  local other='C:\windows\system32\scrnsave.scr'
  forget_installs
  setup_silently /CurrentUser
  cmp -s "$ZELOR_SCR" "$USER_PROGRAM_DIR/Zelor2.scr" || fail "no Zelor2.scr in %LOCALAPPDATA%\\Programs\\Zelor2"
  [ ! -e "$SYSTEM_SCR" ] || fail "a per-user install wrote to the system folder"
  expect_active_saver "$USER_PROGRAM_DIR/Zelor2.scr"
  [ "$(uninstall_entry HKCU)" != ABSENT ] || fail "no uninstall entry for the user"
  expect_eq "$(uninstall_entry HKLM)" ABSENT "uninstall entry for all users"

  # The user has picked another saver since.
  timeout 30 wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$other" /f >/dev/null 2>&1 || fail "reg add SCRNSAVE.EXE"
  reg_set Intervall 3
  uninstall_silently HKCU "$USER_PROGRAM_DIR" /PURGE
  [ ! -e "$USER_PROGRAM_DIR" ] || fail "the program folder is still there"
  expect_eq "$(uninstall_entry HKCU)" ABSENT "uninstall entry"
  expect_eq "$(value_of "$DESKTOP_KEY" SCRNSAVE.EXE)" "$other" "SCRNSAVE.EXE of another saver"
  [ ! -e "$(zelor_data_dir)" ] || fail "%APPDATA%\\Zelor2 is still there"
  expect_eq "$(reg_get Intervall)" ABSENT "Intervall"
}

# A user whose idle lock relied on another saver gets it back, lock and all.
# An install that did not replace the active saver changes nothing, even
# when the user has picked Zelor2 since.
test_an_uninstall_gives_back_the_saver_that_was_active_and_secure_before() {
  local other='C:\windows\system32\scrnsave.scr' picked='C:\windows\system32\Zelor2.scr'
  forget_installs
  set_desktop SCRNSAVE.EXE "$other"
  set_desktop ScreenSaveActive 1
  set_desktop ScreenSaverIsSecure 1
  setup_silently /CurrentUser
  expect_active_saver "$USER_PROGRAM_DIR/Zelor2.scr"
  expect_eq "$(value_of "$DESKTOP_KEY" ScreenSaverIsSecure)" 1 "ScreenSaverIsSecure after the install"
  wine_lists_zelor2 || fail "Wine's uninstaller --list does not list Zelor2 after the install"
  uninstall_silently HKCU "$USER_PROGRAM_DIR"
  expect_eq "$(value_of "$DESKTOP_KEY" SCRNSAVE.EXE)" "$other" "SCRNSAVE.EXE after the uninstall"
  expect_eq "$(value_of "$DESKTOP_KEY" ScreenSaveActive)" 1 "ScreenSaveActive after the uninstall"
  expect_eq "$(value_of "$DESKTOP_KEY" ScreenSaverIsSecure)" 1 "ScreenSaverIsSecure after the uninstall"
  wine_lists_zelor2 && fail "Wine's uninstaller --list still lists Zelor2 after the uninstall"

  set_desktop ScreenSaveActive 0
  setup_silently /AllUsers /NOACTIVATE
  expect_eq "$(value_of "$DESKTOP_KEY" SCRNSAVE.EXE)" "$other" "SCRNSAVE.EXE after an install with /NOACTIVATE"
  set_desktop SCRNSAVE.EXE "$picked"
  uninstall_silently HKLM "$PROGRAM_DIR"
  expect_eq "$(value_of "$DESKTOP_KEY" SCRNSAVE.EXE)" "$picked" "SCRNSAVE.EXE after uninstalling a /NOACTIVATE install"
  expect_eq "$(value_of "$DESKTOP_KEY" ScreenSaveActive)" 0 "ScreenSaveActive after uninstalling a /NOACTIVATE install"
  expect_eq "$(value_of "$DESKTOP_KEY" ScreenSaverIsSecure)" 1 "ScreenSaverIsSecure after uninstalling a /NOACTIVATE install"
}

test_a_second_install_keeps_the_users_changed_sample_and_brings_back_a_deleted_one() {
  local voyager
  forget_installs
  setup_silently
  voyager=$(zelor_data_dir)/Voyager.zel
  write_bodies "$voyager" "Sonne 332946 0 0 0 0 0x0000FFFF" "Meine 1 1.2e11 0 33300 90 0x00FF8000"
  cp "$voyager" "$E2E_OUT/changed-voyager.zel"
  rm "$(zelor_data_dir)/BinaryStar.zel"
  setup_silently
  cmp -s "$voyager" "$E2E_OUT/changed-voyager.zel" || fail "the second install overwrote the changed Voyager.zel"
  cmp -s "$ZELOR_ROOT/data/BinaryStar.zel" "$(zelor_data_dir)/BinaryStar.zel" || fail "the deleted BinaryStar.zel did not come back"
}

# The window's text in black on white, enlarged for OCR (English data reads
# German words without umlauts well).
window_text() {
  local id=$1 shot=$2
  eval "$(xdotool getwindowgeometry --shell "$id")"
  screenshot "$shot"
  convert "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -colorspace Gray -resize 300% "$shot.ocr.png" ||
    fail "could not crop $shot"
  timeout 60 tesseract "$shot.ocr.png" - --psm 6 2>/dev/null | tr '\n' ' '
}

# Reads the window again until it shows every word given (a word that starts
# with ~ is an extended regular expression instead).
wait_window_words() {
  local id=$1 shot=$2 i text word missing
  shift 2
  for ((i = 0; i < 10; i++)); do
    text=$(window_text "$id" "$shot")
    missing=""
    for word in "$@"; do
      if [[ "$word" == "~"* ]]; then
        grep -q -E -- "${word#"~"}" <<<"$text" || missing=$word
      else
        [[ "$text" == *"$word"* ]] || missing=$word
      fi
    done
    [ -z "$missing" ] && return 0
    sleep 0.5
  done
  fail "the window never showed '$missing'; it reads: $text"
}

test_the_installer_window_shows_german_text() {
  local id
  forget_installs
  (cd "$E2E_OUT" && exec timeout 60 wine "$SETUP") >>"$E2E_OUT/wine.log" 2>&1 &
  id=$(wait_window "Installation von Zelor2" 30)
  wait_window_words "$id" "$E2E_OUT/installer-welcome.png" Willkommen Bildschirmschoner Weiter Abbrechen
  focus "$id"
  keys Return
  wait_window_words "$id" "$E2E_OUT/installer-mode.png" "Benutzer ausw" "nur f" Zur
  expect_title "$id" "Installation von Zelor2" "the mode page"
  focus "$id"
  keys Return
  # Sizes with a decimal comma, and what happens to the saver active before.
  wait_window_words "$id" "$E2E_OUT/installer-components.png" "~Speicher: *[0-9]+,[0-9] *MB" bisherigen
  expect_title "$id" "Installation von Zelor2" "the components page"
}

expect_title() { expect_eq "$(xdotool getwindowname "$1")" "$2" "the window title on $3"; }

TEXTS_EXE=${ZELOR_WINDOW_TEXTS:-$(dirname "$ZELOR_SCR")/../tests/window_texts.exe}

# Waits until the window titled $1 shows a control whose text holds $2 (the
# page has come) with the title $1 itself and no caption on the page that
# starts or ends with a blank. A page builds its controls before it sets the
# title, so one look may come between the two.
page_is_whole() {
  grep -qF -- "$2" <<<"$3" && [ "$(head -n 1 <<<"$3")" == "title [$1]" ] && ! grep -qE '\[ |[^[] \]$' <<<"$3"
}
expect_page_without_blanks() {
  local title=$1 word=$2 texts="" i
  for ((i = 0; i < 60; i++)); do
    texts=$(timeout 20 wine "$TEXTS_EXE" "$title" 2>/dev/null | tr -d '\r')
    page_is_whole "$title" "$word" "$texts" && return 0
    sleep 0.5
  done
  fail "no page with '$word' came under the title '$title' with every caption trimmed; the window reads: $texts"
}

# Through every page of the installer and then of the uninstaller.
test_no_title_or_caption_of_the_installer_or_the_uninstaller_has_a_blank_at_its_ends() {
  local word
  forget_installs
  [ -f "$TEXTS_EXE" ] || fail "$TEXTS_EXE is missing"
  (cd "$E2E_OUT" && exec timeout 120 wine "$SETUP") >>"$E2E_OUT/wine.log" 2>&1 &
  for word in Willkommen "nur f" "Anmeldeseite" Fertigstellen; do
    expect_page_without_blanks "Installation von Zelor2" "$word"
    focus "$(wait_window "Installation von Zelor2" 10)"
    keys Return
  done
  wait_title_gone "^Installation von Zelor2\$" 30
  (cd "$E2E_OUT" && exec timeout 120 wine "$PROGRAM_DIR/Zelor2-Deinstallation.exe") >>"$E2E_OUT/wine.log" 2>&1 &
  for word in "wird entfernt" Deinstallieren Fertigstellen; do
    expect_page_without_blanks "Deinstallation von Zelor2" "$word"
    focus "$(wait_window "Deinstallation von Zelor2" 10)"
    keys Return
  done
  wait_title_gone "^Deinstallation von Zelor2\$" 30
  [ ! -e "$PROGRAM_DIR/Zelor2-Deinstallation.exe" ] || fail "the uninstaller did not remove itself"
}

mkdir -p "$(dirname "$SETUP")"
timeout 120 bash "$ZELOR_ROOT/installer/build.sh" "$ZELOR_SCR" "$SETUP" >"$E2E_OUT/makensis.log" 2>&1 ||
  { cat "$E2E_OUT/makensis.log" >&2; echo "could not build Zelor2-Setup.exe" >&2; exit 1; }
run_tests
status=$?
forget_installs
exit $status
