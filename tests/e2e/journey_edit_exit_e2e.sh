#!/usr/bin/env bash
# Edit and exit safely: the close box asks, "Abbrechen" keeps everything, Ctrl+B with "Ja" saves.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

printf 'Erste Zeile\r\nZweite Zeile' > "$work/brief.txt"
start_velloro "$exe" brief.txt
main=$(wait_window "^$title_prefix  -  brief.txt\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool key ctrl+End
xdotool type --delay 40 " neu"
xdotool key alt+F4
prompt=$(wait_window "^$title_prefix  \\|  Beenden\$" 100) || fail "closing did not ask"
focus_window "$prompt"
xdotool key Escape
window_gone "^$title_prefix  \\|  Beenden\$" || fail "prompt stayed"
kill -0 "$velloro_pid" || fail "the program ended after Abbrechen"
focus_window "$main"
xdotool key ctrl+b
prompt=$(wait_window "^$title_prefix  \\|  Beenden\$" 100) || fail "Ctrl+B did not ask"
focus_window "$prompt"
xdotool key alt+y
expect_clean_exit
[ "$(cat "$work/brief.txt")" = $'Erste Zeile\r\nZweite Zeile neu' ] || fail "file: $(od -c "$work/brief.txt" | head)"
echo ok
