#!/usr/bin/env bash
# Tray: mark "In Tray minimieren", minimise through the system menu, the window hides behind its
# icon; a double-click on the icon brings it back and removes the icon.
source "$(dirname "$0")/e2e_lib.sh"
exe=$1

start_velloro "$exe"
title="$title_prefix  -  Unbenannt"
main=$(wait_window "^$title\$") || fail "main window did not appear"
focus_window "$main"
sleep 0.5
xdotool key F10 Right Right Right Right Down Down
sleep 0.2
xdotool key Return        # Extras, In Tray minimieren
sleep 0.5
probe tray "$title" && fail "an icon before minimising"
xdotool key alt+space
sleep 0.5
xdotool key n             # the system menu's Minimize
for _ in $(seq 1 50); do xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 || break; sleep 0.1; done
xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 && fail "the window is still visible"
probe tray "$title" || fail "no notification-area icon"
probe tray-dblclick "$title"
for _ in $(seq 1 50); do xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 || fail "the window did not come back"
probe tray "$title" && fail "the icon stayed"
main=$(wait_window "^$title\$")
focus_window "$main"
xdotool key ctrl+b
expect_clean_exit
echo ok
