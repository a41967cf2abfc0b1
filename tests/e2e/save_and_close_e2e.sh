#!/usr/bin/env bash
# Start with a file name, type, save with Ctrl+S; type again, close the window and decline to save:
# the file keeps what was saved and the process ends with 0.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1
file="$work/notiz.txt"

start_velloro "$exe" notiz.txt
main=$(wait_window "^$title_prefix  -  notiz.txt\$") || fail "main window did not appear with the file's name"
[ ! -e "$file" ] || fail "a file that did not exist was created at start"
focus_window "$main"
sleep 0.5
xdotool type --delay 40 "Hallo Welt"
xdotool key Return
xdotool type --delay 40 "zweite Zeile"
sleep 0.3
xdotool key ctrl+s
for _ in $(seq 1 50); do [ -e "$file" ] && break; sleep 0.1; done
expected=$(printf 'Hallo Welt\r\nzweite Zeile' | od -An -tx1)
actual=$(od -An -tx1 "$file")
[ "$actual" = "$expected" ] || fail "saved bytes differ:$actual"

xdotool type --delay 40 " und mehr"
sleep 0.3
# Alt+F4 reaches the window as its close box would.
xdotool key alt+F4
prompt=$(wait_window "^$title_prefix  \\|  Beenden\$" 100) || fail "no save prompt on closing"
focus_window "$prompt"
xdotool key alt+n
expect_clean_exit
[ "$(od -An -tx1 "$file")" = "$expected" ] || fail "the file changed after declining to save"
ls "$work" | grep -q '\.tmp$' && fail "a temporary file was left behind"
echo "ok"
