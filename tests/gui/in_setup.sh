#!/usr/bin/env bash
# Runs GUI tests outside the virtual desktop, where size and paint events come in another order:
#   in_setup.sh plain|openbox EMULATOR TEST-EXE FILTER
# "plain": a prefix without a virtual desktop on the test display (a bare X server);
# "openbox": the same on a display of its own with the openbox window manager.
set -euo pipefail
setup=$1 emulator=$2 exe=$3 filter=$4
source "$(dirname "$0")/../../scripts/common.sh"
case $setup in
  plain)
    export WINEPREFIX=${E2E_WINEPREFIX:?the plain prefix, as scripts/test sets it} ;;
  openbox)
    export WINEPREFIX=${WM_WINEPREFIX:?the window-manager prefix, as scripts/test sets it}
    start_display
    openbox >"$build/openbox.log" 2>&1 &
    wm=$!
    trap 'stop_wine "$WINEPREFIX"; kill "$wm" 2>/dev/null; stop_display' EXIT
    # On a busy machine openbox took more than ten seconds to take over the display.
    for _ in $(seq 1 600); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      kill -0 "$wm" 2>/dev/null || break
      sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
      { echo "openbox did not start on $DISPLAY:"; cat "$build/openbox.log"; exit 1; } ;;
  *)
    echo "unknown setup $setup"; exit 2 ;;
esac
"$emulator" "$exe" --gtest_filter="$filter"
