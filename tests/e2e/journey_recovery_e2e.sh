#!/usr/bin/env bash
# A crash loses nothing: text typed into a file goes to a recovery copy after a pause, the process is
# ended from outside, and the next start with the same file offers the text back; "Ja" shows it
# unsaved, saving writes it and removes the copy.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

copies() { ls "$recovery"/*.wdh 2>/dev/null | wc -l; }

printf 'Erste Zeile\r\nZweite' > "$work/notiz.txt"
start_velloro "$exe" notiz.txt
main=$(wait_window "^$title_prefix  -  notiz.txt\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool key ctrl+End
xdotool type --delay 40 " neu"
for _ in $(seq 1 200); do [ "$(copies)" = 1 ] && break; sleep 0.1; done
[ "$(copies)" = 1 ] || fail "no recovery copy after a pause in typing"

probe terminate "$(window_name "$main")" || fail "the process could not be ended"
wait_exit
[ "$exit_code" != 0 ] || fail "the process ended normally"
[ "$(cat "$work/notiz.txt")" = $'Erste Zeile\r\nZweite' ] || fail "the file changed"

start_velloro "$exe" notiz.txt
question=$(wait_window "^$title_prefix  \\|  Wiederherstellen\$") || fail "the next start did not offer the text"
focus_window "$question"
xdotool key alt+y
main=$(wait_window "^$title_prefix  -  notiz.txt\\*\$" 100) || fail "the restored text is not shown as unsaved"
focus_window "$main"
xdotool key ctrl+s
wait_window "^$title_prefix  -  notiz.txt\$" 100 >/dev/null || fail "not saved"
[ "$(cat "$work/notiz.txt")" = $'Erste Zeile\r\nZweite neu' ] || fail "file: $(od -c "$work/notiz.txt" | head)"
[ "$(copies)" = 0 ] || fail "the copy stayed after saving"
xdotool key ctrl+b
expect_clean_exit
echo ok
