#!/usr/bin/env bash
# A file whose name the ANSI code page cannot hold, given on the command line: its text is shown,
# the title names it, Ctrl+S writes into it, and no look-alike file ("Lódz ...") appears beside it.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1
name='Łódź → Notiz 📝.txt'
printf 'alt' > "$work/$name"

start_velloro "$exe" "$name"
main=$(wait_window "^$title_prefix  -  $name\$") || fail "main window did not appear with the file's name"
focus_window "$main"
sleep 0.5
xdotool key ctrl+End
xdotool type --delay 40 "neu"
sleep 0.3
xdotool key ctrl+s
for _ in $(seq 1 50); do [ "$(cat "$work/$name")" = "altneu" ] && break; sleep 0.1; done
[ "$(cat "$work/$name")" = "altneu" ] || fail "the file holds '$(cat "$work/$name")'"
xdotool key ctrl+b
expect_clean_exit
[ "$(ls -A "$work")" = "$name" ] || fail "the folder holds: $(ls -A "$work" | tr '\n' '|')"
echo "ok"
