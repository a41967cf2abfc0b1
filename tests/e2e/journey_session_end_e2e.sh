#!/usr/bin/env bash
# Log-off with unsaved text: the session end asks like Exit; "Abbrechen" keeps the program running,
# "Ja" saves (keeping the file's LF line ends), and the program saves its settings and ends cleanly.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

end_session() { wine wineboot --end-session >/dev/null 2>&1 & session_pid=$!; }
# Compares bytes, trailing line ends included.
file_is() { [ "$(od -c "$work/notiz.txt")" = "$(printf "$1" | od -c)" ] || fail "file: $(od -c "$work/notiz.txt" | head)"; }

printf 'eins\nzwei\n' > "$work/notiz.txt"
# Settings saved at the end show that the program's own exit ran, not just the session's kill.
printf '[Program]\r\nSave Pref. at the End = 1\r\n' > "$work/Preferences.pref"
start_velloro "$exe" notiz.txt
main=$(wait_window "^$title_prefix  -  notiz.txt\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool key ctrl+End
xdotool type --delay 40 "drei"

end_session
prompt=$(wait_window "^$title_prefix  \\|  Beenden\$" 100) || fail "the session end did not ask"
focus_window "$prompt"
xdotool key Escape
wait "$session_pid" || true
kill -0 "$velloro_pid" || fail "the program ended after Abbrechen"
file_is 'eins\nzwei\n'

end_session
prompt=$(wait_window "^$title_prefix  \\|  Beenden\$" 100) || fail "the second session end did not ask"
focus_window "$prompt"
xdotool key alt+y
expect_clean_exit
wait "$session_pid" || true
file_is 'eins\nzwei\ndrei'
grep -q "Minimize in Tray = 0" "$work/Preferences.pref" || fail "settings not saved at the end: $(cat "$work/Preferences.pref")"
echo ok
