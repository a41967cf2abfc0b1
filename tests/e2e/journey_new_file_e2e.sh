#!/usr/bin/env bash
# Write a new file: type two lines with umlauts, Ctrl+S, name it in the real Save As dialog with the
# text type selected; the file holds code page 1252 and CR LF.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

start_velloro "$exe"
main=$(wait_window "^$title_prefix  -  Unbenannt\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool type --delay 40 "grüße aus köln"
xdotool key Return
xdotool type --delay 40 "straße"
xdotool key ctrl+s
dialog=$(wait_window "^$title_prefix  \\|  Speichern unter\$") || fail "no Save As dialog"
focus_window "$dialog"
sleep 0.5
# The dialog starts in the folder it last showed; the full path decides where the file goes.
xdotool type --delay 20 "$(winepath -w "$work/notiz")"
# The type list follows the name field; its first entry is "Text-Dateien (*.txt)".
xdotool key Tab Home
sleep 0.3
xdotool key Return
window_gone "^$title_prefix  \\|  Speichern unter\$" || fail "Save As dialog stayed open"
for _ in $(seq 1 50); do [ -f "$work/notiz.txt" ] && break; sleep 0.1; done
[ -f "$work/notiz.txt" ] || fail "notiz.txt was not written: $(ls "$work")"
expected=$(printf 'gr\xfc\xdfe aus k\xf6ln\r\nstra\xdfe' | od -An -tx1)
actual=$(od -An -tx1 < "$work/notiz.txt")
[ "$actual" = "$expected" ] || fail "file bytes: $actual"
xdotool key ctrl+b
expect_clean_exit
echo ok
