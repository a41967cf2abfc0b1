#!/usr/bin/env bash
# With the locale scripts/run gives Wine, the system's own buttons in the program's questions are
# German, and the ANSI code page, in which the program's German texts are written, stays 1252.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
export LANG
LANG=$(bash -c 'source "$1/scripts/common.sh"; use_german_locale; echo "$LANG"' _ "$top")

[ "$(probe codepage)" = 1252 ] || fail "ANSI code page $(probe codepage)"
start_velloro "$exe"
main=$(wait_window "^$title_prefix  -  Unbenannt\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool type --delay 40 "Text"
sleep 0.3
xdotool key ctrl+b
prompt_title="$title_prefix  |  Beenden"
wait_window "^$prompt_title\$" 100 >/dev/null || fail "no save prompt"
labels="$(probe button "$prompt_title" 6)|$(probe button "$prompt_title" 7)|$(probe button "$prompt_title" 2)"
[ "$labels" = "&Ja|&Nein|Abbrechen" ] || fail "the buttons read $labels"
prompt=$(wait_window "^$prompt_title\$" 10) && focus_window "$prompt" && xdotool key alt+n
expect_clean_exit
echo "ok"
