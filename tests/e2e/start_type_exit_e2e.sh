#!/usr/bin/env bash
# Start without a file, type, leave through Ctrl+B (declining to save): the process ends with 0.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

start_velloro "$exe"
main=$(wait_window "^$title_prefix  -  Unbenannt\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool type --delay 40 "Hallo Welt"
sleep 0.3
xdotool key ctrl+b
# A modified document asks first; answer "No".
if prompt=$(wait_window "^$title_prefix  \\|  Beenden\$" 50); then
  focus_window "$prompt"
  xdotool key alt+n
fi
expect_clean_exit
[ ! -e "$work/Preferences.pref" ] || fail "a preferences file was created"
echo "ok"
