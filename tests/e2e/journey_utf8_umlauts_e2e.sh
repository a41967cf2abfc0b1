#!/usr/bin/env bash
# A UTF-8 file without a mark, as most programs write today: it opens as UTF-8 with its LF line ends,
# umlauts typed at its end are saved as UTF-8, and the rest of the file is unchanged.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

printf 'Gr\xc3\xbc\xc3\x9fe aus K\xc3\xb6ln \xe2\x82\xac\n' > "$work/brief.txt"
start_velloro "$exe" brief.txt
title="$title_prefix  -  brief.txt"
main=$(wait_window "^$title\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool key ctrl+End
xdotool type --delay 40 "äöü ß"
xdotool key ctrl+s
expected=$(printf 'Gr\xc3\xbc\xc3\x9fe aus K\xc3\xb6ln \xe2\x82\xac\n\xc3\xa4\xc3\xb6\xc3\xbc \xc3\x9f' | od -An -tx1)
for _ in $(seq 1 50); do [ "$(od -An -tx1 < "$work/brief.txt")" = "$expected" ] && break; sleep 0.1; done
actual=$(od -An -tx1 < "$work/brief.txt")
[ "$actual" = "$expected" ] || fail "file bytes: $actual"
xdotool key ctrl+b
expect_clean_exit
echo ok
