#pragma once
// The main window and the window procedure shared by all of the program's own windows.
#include <windows.h>

#include <string>

#include "app/object_ids.h"

namespace app {

constexpr DWORD mainWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD mainWindowExStyle = 0;

// Registers the window class of the program's windows (once) and returns its name.
const char* programWindowClass();

HWND createMainWindow(const std::string& title);

// Files dropped on the main window or its text control arrive at the main window.
void acceptDroppedFiles();

// Places the main window with its outer top-left corner at (x, y) and the given inner size; the
// inner height counts one menu-bar line.
void placeMainWindow(int x, int y, int innerWidth, int innerHeight);

// The inner size that saving the settings records, one menu-bar line included, and whether the
// window is (or comes back) maximised.
struct SavedWindowSize {
  int innerWidth = 0;
  int innerHeight = 0;
  bool maximised = false;
};
SavedWindowSize mainWindowSizeToSave();

// Which numbered window a handle is.
WindowNumber windowNumberOf(HWND window);

LRESULT CALLBACK programWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace app
