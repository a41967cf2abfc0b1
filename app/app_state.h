#pragma once
// The one record that holds every variable of the running program.
#include <windows.h>

#include <string>

#include "platform/line_end_style.h"
#include "platform/text_encoding_kind.h"

namespace app {

struct AppState {
  HWND editorHandle = nullptr;
  HFONT gutterFont = nullptr;
  int searchUpward = 0;
  int gutterDigits = 0;
  int lineCountDigits = 0;
  std::string currentPath;
  std::string editorFontName;
  COLORREF gutterNumberColour = 0;
  COLORREF gutterBackColour = 0;
  COLORREF gutterLineColour = 0;
  WNDPROC editorPreviousProc = nullptr;
  int aboutClosed = 0;
  std::string searchText;  // UTF-8: the Find field takes any character
  int pickedColour = 0;
  int transparencyLevel = 0;
  std::string versionText;
  HWND mainWindowHandle = nullptr;
  int goToLineNumber = 0;
  unsigned char modifiedMarked = 0;
  platform::LineEndStyle lineEnds = platform::LineEndStyle::CrLf;  // the open file's, kept on save
  platform::TextEncoding encoding = platform::TextEncoding::Ansi;  // likewise
  HDC gutterDC = nullptr;

  // Handles of the numbered objects of the user interface.
  HINSTANCE instance = nullptr;
  HMENU menuBar = nullptr;     // menu 0
  HMENU trayMenu = nullptr;    // popup menu 1
  HMENU editorMenu = nullptr;  // popup menu 2
  HACCEL accelerators = nullptr;
  HWND statusBar = nullptr;  // status bar 1
  HWND toolbar = nullptr;    // toolbar 0
  HWND aboutWindow = nullptr;   // window 1 (About or print progress)
  HWND searchWindow = nullptr;  // window 2
  HACCEL searchAccelerators = nullptr;
  HWND renameWindow = nullptr;  // window 3
  HICON trayIconImage = nullptr;  // image 1
  bool trayIconShown = false;     // notification-area icon 0
};

extern AppState state;

}  // namespace app
