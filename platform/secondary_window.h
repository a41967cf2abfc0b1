#pragma once
// What the program's small windows (Find, Rename) share: a centred window of the program's class
// owned by the main window, and controls made from a table.
#include <windows.h>

#include <span>
#include <string>

namespace platform {

struct ControlSpec {
  int id;
  const char* className;
  DWORD style;  // added to WS_CHILD | WS_VISIBLE
  DWORD exStyle;
  int x, y, width, height;
  const char* text;
};

// Its outer size, limited to the screen, is centred on the screen. Owned by the main window, so
// that it goes when the main window goes.
HWND createCentredWindow(const std::string& title, DWORD style, int clientWidth, int clientHeight);

// Creates the controls in table order, which is also the Tab order, in the default GUI font.
void createControls(HWND window, std::span<const ControlSpec> controls);

std::string controlText(HWND control);

}  // namespace platform
