#!/usr/bin/env bash
# Find and go to line in a 5,000-line file, checking the status bar's position after each step.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

for i in $(seq 1 5000); do
  case $i in 1200|2400|3600) printf 'Zeile %d mit Ziel\r\n' "$i" ;; *) printf 'Zeile %d\r\n' "$i" ;; esac
done > "$work/lang.txt"
start_velloro "$exe" lang.txt
title="$title_prefix  -  lang.txt"
main=$(wait_window "^$title\$") || fail "main window did not appear"
position() { probe status "$title" 0; }

focus_window "$main"
xdotool key ctrl+f
find=$(wait_window "^$title_prefix  \\|  Suchen\$" 100) || fail "no Find window"
focus_window "$find"
xdotool type --delay 40 "ziel"
xdotool key Return
sleep 0.5
# The hit "Ziel" on line 1200 is selected: the column counts to the selection's end.
[ "$(position)" = " 20:1200" ] || fail "after the first search: $(position)"
xdotool key Escape
window_gone "^$title_prefix  \\|  Suchen\$" || fail "Find window stayed open"
focus_window "$main"
xdotool key F3
sleep 0.3
[ "$(position)" = " 20:2400" ] || fail "after F3: $(position)"
xdotool key F3
sleep 0.3
[ "$(position)" = " 20:3600" ] || fail "after the second F3: $(position)"
xdotool key ctrl+g
input=$(wait_window "^$title_prefix  \\|  Gehe zu Zeile\$" 100) || fail "no input window"
focus_window "$input"
xdotool type --delay 40 "4000"
xdotool key Return
window_gone "^$title_prefix  \\|  Gehe zu Zeile\$" || fail "input window stayed"
sleep 0.3
[ "$(position)" = " 1:4000" ] || fail "after go to line: $(position)"
focus_window "$main"
xdotool key ctrl+b
expect_clean_exit
echo ok
