#pragma once
// Tray, always-on-top and translucency modes, and the window callback that sees every message of
// the program's windows.
#include <windows.h>

namespace app {

void setWindowOpacity(HWND window, int percent);
void makeTopmost(HWND window, bool topmost);

// From start-up on, the callback acts on the messages it sees.
void installWindowCallback();
void windowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void minimizeToTray();
void restoreFromTray();
void removeTrayIcon();

void toggleTransparency();
void toggleMinimizeToTray();
void toggleAlwaysOnTop();

}  // namespace app
