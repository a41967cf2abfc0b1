#!/usr/bin/env bash
# pe_checks.sh imports|hardening|manifest OBJDUMP EXE (hardening: ASLR, NX and large-address aware)
set -euo pipefail
what=$1 objdump=$2 exe=$3
headers=$("$objdump" -p "$exe")
case "$what" in
  imports)
    dlls=$(grep -oP 'DLL Name: \K\S+' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
    [ -n "$dlls" ] || { echo "no imports found"; exit 1; }
    # comdlg32 is loaded at its first use: importing it would bring the printing stack into every start.
    allowed='^(kernel32|user32|gdi32|comctl32|shell32|ole32|advapi32|msvcrt)\.dll$'
    bad=$(grep -v -E "$allowed" <<<"$dlls" || true)
    echo "imports: $(tr '\n' ' ' <<<"$dlls")"
    [ -z "$bad" ] || { echo "not an allowed import (system DLLs only; comdlg32 at first use): $bad"; exit 1; }
    ;;
  hardening)
    flags=$(grep -oP 'DllCharacteristics\s+\K[0-9a-fA-F]+' <<<"$headers")
    value=$((16#$flags))
    echo "DllCharacteristics 0x$flags"
    (( value & 0x40 )) || { echo "DYNAMIC_BASE missing"; exit 1; }
    (( value & 0x100 )) || { echo "NX_COMPAT missing"; exit 1; }
    image=$(grep -oP '^Characteristics\s+0x\K[0-9a-fA-F]+' <<<"$headers")
    echo "Characteristics 0x$image"
    (( 16#$image & 0x20 )) || { echo "LARGE_ADDRESS_AWARE missing"; exit 1; }
    ;;
  manifest)
    # The manifest the loader reads: resource type 24 (RT_MANIFEST), id 1, in the resource section.
    python3 - "$exe" <<'PY'
import re, struct, sys
data = open(sys.argv[1], 'rb').read()
pe = struct.unpack_from('<I', data, 0x3C)[0]
sections, optional_size = struct.unpack_from('<H', data, pe + 6)[0], struct.unpack_from('<H', data, pe + 20)[0]
table = pe + 24 + optional_size
rsrc = None
for i in range(sections):
    name, _, rva, raw_size, raw = struct.unpack_from('<8sIIII', data, table + 40 * i)
    if name.rstrip(b'\0') == b'.rsrc':
        rsrc = (rva, raw)
if rsrc is None:
    sys.exit('no resource section')
rva, raw = rsrc
def entries(offset):
    named, ids = struct.unpack_from('<HH', data, raw + offset + 12)
    for k in range(named + ids):
        key, target = struct.unpack_from('<II', data, raw + offset + 16 + 8 * k)
        yield key, target
def child(offset, wanted):
    for key, target in entries(offset):
        if key == wanted:
            return target & 0x7FFFFFFF
    return None
kind = child(0, 24)
name = child(kind, 1) if kind is not None else None
if name is None:
    sys.exit('no manifest resource (type 24, id 1)')
language = next(entries(name))[1]
data_rva, size = struct.unpack_from('<II', data, raw + language)
text = data[raw + data_rva - rva: raw + data_rva - rva + size].decode('utf-8')
checks = {
    'common controls 6': r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"',
    'asInvoker': r'requestedExecutionLevel\s+level="asInvoker"',
    'Windows 7': r'35138b9a-5d96-4fbd-8e2d-a2440225f93a',
    'Windows 8': r'4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38',
    'Windows 8.1': r'1f676c76-80e1-4239-95bb-83d0f6d0da78',
    'Windows 10 and 11': r'8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a',
}
missing = [what for what, pattern in checks.items() if not re.search(pattern, text)]
if re.search(r'dpiAware|dpiAwareness', text):
    missing.append('no DPI claim (one is made)')
print('manifest: %d bytes' % size)
if missing:
    sys.exit('manifest lacks: ' + ', '.join(missing))
PY
    ;;
  *) echo "unknown check $what"; exit 2 ;;
esac
