#!/usr/bin/env bash
# Settings through the menus by keyboard: restore the defaults, switch on word wrap and always on
# top, save; after a restart the marks are back (a second save writes them again unchanged).
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

# Opens a menu of the menu bar by keyboard and chooses its n-th item (separators do not count).
choose() {
  local menu=$1 item=$2
  xdotool key F10
  sleep 0.2
  for _ in $(seq 1 "$menu"); do xdotool key Right; done
  xdotool key Down
  for _ in $(seq 1 "$item"); do xdotool key Down; done
  sleep 0.2
  xdotool key Return
  sleep 0.5
}
konfiguration=3 extras=4

start_velloro "$exe"
main=$(wait_window "^$title_prefix  -  Unbenannt\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
choose $konfiguration 2   # Einstellungen wiederherstellen
[ -f "$work/Preferences.pref" ] || fail "restore wrote no file"
grep -q '^WordWrap = 0' "$work/Preferences.pref" || fail "restored file: $(cat "$work/Preferences.pref")"
choose $extras 0          # Zeilenumbruch
choose $extras 2          # Immer im Vordergrund
choose $konfiguration 1   # Einstellungen speichern
saved=$(cat "$work/Preferences.pref")
grep -q $'^WordWrap = 1\r$' <<<"$saved" || fail "word wrap not saved: $saved"
grep -q $'^Always in Fore-Ground = 1\r$' <<<"$saved" || fail "always on top not saved: $saved"
grep -q $'^Minimize in Tray = 0\r$' <<<"$saved" || fail "tray mode changed: $saved"
xdotool key ctrl+b
expect_clean_exit

start_velloro "$exe"
main=$(wait_window "^$title_prefix  -  Unbenannt\$") || fail "main window did not appear again"
focus_window "$main"
sleep 0.5
[ "$(cat "$work/Preferences.pref")" = "$saved" ] || fail "starting changed the file"
choose $konfiguration 1   # Einstellungen speichern
[ "$(cat "$work/Preferences.pref")" = "$saved" ] || fail "the marks did not come back: $(cat "$work/Preferences.pref")"
xdotool key ctrl+b
expect_clean_exit
echo ok
