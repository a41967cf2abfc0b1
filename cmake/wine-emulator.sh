#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, without installer dialogs or debug noise.
: "${WINEPREFIX:?WINEPREFIX must point at the build folder's prefix (scripts/test sets it)}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
