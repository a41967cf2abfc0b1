#!/usr/bin/env bash
# Print a named file of a little more than one page with Ctrl+P through the real print dialog onto
# the PDF queue of scripts/setup-printer: the PDF is named after the file, has two pages, page 1
# begins with the first lines of the file and page 2 goes on where page 1 stopped. The file is UTF-8
# and holds characters beyond the ANSI code page, which print as they are.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

lpstat -v PDF >/dev/null 2>&1 || fail "no printer queue PDF: run scripts/setup-printer first"
pdf_dir=${VELLORO_PDF_DIR:-$HOME/PDF}
name="druckprobe-$$-$(date +%s).txt"
stem=${name%.txt}
{
  printf 'Velloro Druckprobe\r\n'
  printf 'Gr\xc3\xbc\xc3\x9fe aus K\xc3\xb6ln\r\n'
  printf '\xc5\x81\xc3\xb3d\xc5\xba \xe2\x86\x92 ok\r\n'
  for i in $(seq 1 120); do printf 'Zeile %d\r\n' "$i"; done
} > "$work/$name"

start_velloro "$exe" "$work/$name"
main=$(wait_window "^$title_prefix  -  $name\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool key ctrl+p
dialog=$(wait_window '^Print$') || fail "no print dialog"
focus_window "$dialog"
sleep 0.5
xdotool key Return
window_gone '^Print$' || fail "print dialog stayed open"

pdf=""
for _ in $(seq 1 600); do
  pdf=$(ls "$pdf_dir"/*"$stem"*.pdf 2>/dev/null | head -n1 || true)
  [ -n "$pdf" ] && tail -c 16 "$pdf" | grep -q '%%EOF' && break
  pdf=""
  sleep 0.1
done
[ -n "$pdf" ] || fail "no PDF named after $name in $pdf_dir"

info=$(pdfinfo "$pdf")
pages=$(sed -n 's/^Pages: *//p' <<<"$info")
title=$(sed -n 's/^Title: *//p' <<<"$info")
[ "$pages" = 2 ] || fail "pages: $pages"
[ "$title" = "$name" ] || fail "title: $title"

page1=$(pdftotext -f 1 -l 1 -layout "$pdf" - | sed 's/[[:space:]]*$//' | grep -v '^$')
page2=$(pdftotext -f 2 -l 2 -layout "$pdf" - | sed 's/[[:space:]]*$//' | grep -v '^$')
[ "$(sed -n 1p <<<"$page1")" = "Velloro Druckprobe" ] || fail "page 1 begins: $(head -n3 <<<"$page1")"
[ "$(sed -n 2p <<<"$page1")" = "Grüße aus Köln" ] || fail "page 1, line 2: $(sed -n 2p <<<"$page1")"
[ "$(sed -n 3p <<<"$page1")" = "Łódź → ok" ] || fail "page 1, line 3: $(sed -n 3p <<<"$page1")"
[ "$(sed -n 4p <<<"$page1")" = "Zeile 1" ] || fail "page 1, line 4: $(sed -n 4p <<<"$page1")"
last1=$(tail -n1 <<<"$page1" | sed -n 's/^Zeile \([0-9]*\)$/\1/p')
first2=$(head -n1 <<<"$page2" | sed -n 's/^Zeile \([0-9]*\)$/\1/p')
[ -n "$last1" ] && [ "$first2" = $((last1 + 1)) ] || fail "page 1 ends with $last1, page 2 begins with $first2"
[ "$(tail -n1 <<<"$page2")" = "Zeile 120" ] || fail "page 2 ends: $(tail -n1 <<<"$page2")"
rm -f "$pdf"

xdotool key ctrl+b
expect_clean_exit
echo ok
