#pragma once
// The settings that outlive a run, kept in Preferences.pref in the current directory.
#include "settings/window_placement.h"

namespace settings {

// The Extras menu's modes.
struct WindowModes {
  bool wordWrap = false;
  bool transparency = false;
  bool minimizeToTray = false;
  bool alwaysOnTop = false;
};

// What the main window should be at start-up; the shell places it and switches its modes.
struct StartupWindow {
  Placement placement{};
  bool maximised = false;
  WindowModes modes;
};

// What saving records of the main window as it is now.
struct WindowNow {
  int innerWidth = 0;
  int innerHeight = 0;  // one menu-bar line included
  bool maximised = false;
  WindowModes modes;
};

// The shell registers at start-up where saving learns the main window's size and modes.
void setWindowNowSource(WindowNow (*source)());

// Applies the editor's colours and word wrap itself; the rest is for the shell.
StartupWindow loadSettings();
void saveSettings();
void restoreDefaultSettings();
void saveSettingsAtExit();

}  // namespace settings
