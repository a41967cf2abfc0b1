#pragma once
// What the program's small windows share: a centred window of the program's class owned by the
// main window, controls made from a table, and staying above other windows.
#include <windows.h>

#include <span>
#include <string>

namespace platform {

// What the shell supplies for the program's windows: its module, the class of its windows (registered
// by then) and the main window, which owns the small ones.
struct ProgramWindows {
  HINSTANCE instance = nullptr;
  const char* windowClass = nullptr;
  HWND mainWindow = nullptr;
};

// The shell registers at start-up where these come from; they are asked for anew at each use.
void setProgramWindowsSource(ProgramWindows (*source)());
ProgramWindows programWindows();

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

// Creates the controls in table order, which is also the Tab order, in the default GUI font; they
// are Unicode windows, their texts code page 1252.
void createControls(HWND window, std::span<const ControlSpec> controls);

// Keeps the window above the windows of other programs, or lets it go behind them again.
void makeTopmost(HWND window, bool topmost);

std::string controlText(HWND control);

}  // namespace platform
