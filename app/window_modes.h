#pragma once
// Tray, always-on-top and translucency modes, and the window callback that sees every message of
// the program's windows.
#include <windows.h>

#include <string>

namespace app {

void setWindowOpacity(HWND window, int percent);

// From start-up on, the callback acts on the messages it sees.
void installWindowCallback();
void windowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void minimizeToTray();
// The tip of the notification-area icon: the title as it was at minimising, at most 63 characters
// (UTF-8).
const std::string& trayIconTip();
void restoreFromTray();
void removeTrayIcon();

void toggleTransparency();
void toggleMinimizeToTray();
void toggleAlwaysOnTop();

}  // namespace app
