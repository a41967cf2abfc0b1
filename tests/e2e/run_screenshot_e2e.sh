#!/usr/bin/env bash
# scripts/run on a machine without a display, as a new user starts it: its screenshot must show the
# first line's text right of the line-number band, not painted over by it.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A single "W" on the first line: under the band it would leave no ink at all.
printf 'W\r\nVelloro zeigt diesen Text\r\nZeile drei\r\n' > "$work/erste.txt"
shot="$top/build/velloro-screenshot.png"
rm -f "$shot"
(cd "$work" && env -u DISPLAY VELLORO_RUN_SHOT_ONLY=1 "$top/scripts/run" erste.txt >/dev/null)
[ -s "$shot" ] || { echo "FAIL: scripts/run wrote no screenshot"; exit 1; }
convert "$shot" "$work/shot.ppm"
python3 - "$work/shot.ppm" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
# Binary PPM: P6, width, height, maxval, then RGB bytes.
fields, pos = [], 2
while len(fields) < 3:
    while data[pos:pos + 1].isspace(): pos += 1
    end = pos
    while not data[end:end + 1].isspace(): end += 1
    fields.append(int(data[pos:end])); pos = end
width, height = fields[0], fields[1]
pixels = data[pos + 1:]
def px(x, y):
    i = 3 * (y * width + x)
    return tuple(pixels[i:i + 3])
band = (244, 244, 244)
def numberish(p):  # the numbers' blue-grey, also where smoothed into the band
    return p[2] > p[0] + 20 and abs(p[0] - p[1]) < 12
# The digit "1" of the first line: the topmost pixel of the numbers' colour inside the band's colour; the band's right edge is
# where neither it nor the band's colour goes on.
def in_band(x, y):
    return 2 <= x < width - 3 and numberish(px(x, y)) and px(x - 2, y) == band and px(x + 3, y) == band
found = next(((x, y) for y in range(height) for x in range(width) if in_band(x, y)), None)
if found is None:
    sys.exit("FAIL: no line numbers in the screenshot")
x, y = found
while x < width and (px(x, y) == band or numberish(px(x, y))):
    x += 1
separator = x
ink = [x for yy in range(y, min(y + 8, height)) for x in range(separator + 1, separator + 80) if sum(px(x, yy)) < 384]
if not ink:
    sys.exit("FAIL: the first line's text lies under the line-number band (separator at x %d)" % separator)
print("ok: band edge at x %d, first ink at x %d" % (separator, min(ink)))
PY
