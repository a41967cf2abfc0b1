#!/usr/bin/env bash
# The largest file the editor opens, 32 MiB of lines with CR LF, given on the command line: it loads
# whole. A file one byte larger, dropped on the same window, is refused with a message before
# anything is read, and the text already shown stays as it was. The load takes about a minute.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1
max_open_bytes=$((32 << 20))  # document::maxOpenBytes
line_bytes=64
lines=$((max_open_bytes / line_bytes))

# Numbered lines of 62 characters and CR LF; the larger file has one byte more after them.
awk -v lines="$lines" 'BEGIN {
  for (i = 1; i <= lines; i++) printf "Zeile %07d: So breit wie jede andere Zeile in dieser Datei.\r\n", i
}' > "$work/gross.txt"
[ "$(stat -c %s "$work/gross.txt")" = "$max_open_bytes" ] || fail "made $(stat -c %s "$work/gross.txt") bytes"
{ cat "$work/gross.txt"; printf 'x'; } > "$work/zu-gross.txt"
# The control holds each CR LF as one CR.
held_characters=$((max_open_bytes - lines))

title="$title_prefix  -  gross.txt"
started=$SECONDS
start_velloro "$exe" gross.txt
wait_window "^$title_prefix  -  " >/dev/null || fail "main window did not appear"
# The title names the file once the load is done, and the program answers a probe only then. A slow
# machine may wait longer with LARGEST_FILE_LOAD_SECONDS.
load_deadline=$((SECONDS + ${LARGEST_FILE_LOAD_SECONDS:-420}))
status=""
while [ "$status" != " Geöffnet" ] && [ $SECONDS -lt $load_deadline ]; do
  sleep 2
  xdotool search --name "^$title\$" >/dev/null 2>&1 || continue
  status=$(probe status "$title" 1 | iconv -f CP1252 -t UTF-8)
done
[ "$status" = " Geöffnet" ] || fail "status after $((SECONDS - started)) s of loading: '$status'"
echo "32 MiB loaded in about $((SECONDS - started)) s"
chars=$(probe chars "$title")
[ "$chars" = "$held_characters" ] || fail "the control holds $chars characters, not $held_characters"

# Into the window that holds the text, as a drag from a file manager would.
probe drop "$title" "$(winepath -w "$work/zu-gross.txt" 2>/dev/null)" || fail "could not drop the file"
box_title="$title_prefix  |  Öffnen"
box_pattern="^$title_prefix  \\|  Öffnen\$"  # a bare "|" would be an alternative and match the main window
wait_window "$box_pattern" 300 >/dev/null || fail "no message for the file that is too large"
message=$(probe message "$box_title" | iconv -f CP1252 -t UTF-8)
grep -qF "zu-gross.txt' konnte nicht geöffnet werden." <<<"$message" || fail "message: $message"
grep -qF "Sie ist 33 MB groß; der Editor öffnet Dateien bis 32 MB." <<<"$message" || fail "message: $message"
[ -n "$(probe button "$box_title" 1)" ] || fail "the message has no OK button"
probe press "$box_title" 1 || fail "could not press OK"
window_gone "$box_pattern" || fail "the message stayed open"

probe exists "$title" || fail "no window is titled '$title' any more"
[ "$(probe chars "$title")" = "$held_characters" ] || fail "the text changed: $(probe chars "$title") characters"
status=$(probe status "$title" 1 | iconv -f CP1252 -t UTF-8)
[ "$status" = " Geöffnet" ] || fail "status after the refusal: '$status'"
kill -0 "$velloro_pid" 2>/dev/null || fail "the program ended"
echo "ok"
