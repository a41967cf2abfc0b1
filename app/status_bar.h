#pragma once
// The status bar: field 0 the cursor position, field 1 the document's last event, field 2 its
// encoding and line ends.
#include <windows.h>

#include <string>

namespace app {

void createStatusBar(HWND mainWindow);
void setStatusText(int field, const std::string& text);
std::string statusText(int field);

// Writes the cursor position into field 0; skips the write when nothing changed.
void refreshCursorPosition();

}  // namespace app
