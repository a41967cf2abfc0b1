#pragma once
// The settings that outlive a run, kept in Preferences.pref in the current directory.

namespace settings {

struct StartupMarks {
  bool wordWrap = false;
  bool transparency = false;
  bool minimizeToTray = false;
  bool alwaysOnTop = false;
};

StartupMarks loadSettings();
void saveSettings();
void restoreDefaultSettings();
void saveSettingsAtExit();

}  // namespace settings
