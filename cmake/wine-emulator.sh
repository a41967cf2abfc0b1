#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, without installer dialogs or debug noise.
: "${WINEPREFIX:?WINEPREFIX must name the prefix inside the build folder, as scripts/test sets it}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
