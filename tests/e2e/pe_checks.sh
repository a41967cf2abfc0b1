#!/usr/bin/env bash
# pe_checks.sh imports|hardening OBJDUMP EXE (hardening: ASLR, NX and large-address aware)
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
  *) echo "unknown check $what"; exit 2 ;;
esac
