// Preferences.pref at start-up, on "Einstellungen speichern", on restore and at exit.
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/startup.h"
#include "settings/default_preferences.h"
#include "settings/preferences_model.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

std::string colourLine(COLORREF back, COLORREF text, COLORREF numbers, COLORREF band, COLORREF line, int level) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "back %06lx, text %06lx, numbers %06lx, band %06lx, line %06lx, level %d",
                back, text, numbers, band, line, level);
  return buffer;
}

// The control's background and text colour (-1: the system's), the band's colours and the
// translucency level, as one line.
std::string coloursInUse() {
  // The control answers a new background colour with the one it replaced.
  auto back = static_cast<COLORREF>(SendMessageA(state.editorHandle, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
  SendMessageA(state.editorHandle, EM_SETBKGNDCOLOR, 0, back);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(state.editorHandle, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  return colourLine(back, format.dwEffects & CFE_AUTOCOLOR ? CLR_INVALID : format.crTextColor,
                    state.gutterNumberColour, state.gutterBackColour, state.gutterLineColour,
                    state.transparencyLevel);
}

BYTE layeredAlpha() {
  BYTE alpha = 0;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(state.mainWindowHandle, nullptr, &alpha, &flags) ? alpha : 0;
}

TEST_F(VelloroTest, WithoutAFileSaveWritesNothingAndRestoreWritesTheDefaults) {
  const std::string path = folder + "Preferences.pref";
  startVelloro();
  runCommand(app::SaveSettings);
  EXPECT_FALSE(fileExists(path));

  writeFile(path, "[Old]\r\nJunk = 1\r\n");
  runCommand(app::RestoreSettings);
  settings::PreferencesModel defaults;
  settings::writeDefaultPreferences(defaults);
  EXPECT_EQ(readFile(path), defaults.serialize());
  // The running program is not changed by it, and the defaults ask for no save at the end.
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
  app::setMenuItemChecked(app::WordWrap, true);
  runCommand(app::Exit);
  EXPECT_EQ(exitCalls, 1);
  EXPECT_EQ(readFile(path), defaults.serialize());
}

// Without a file the control keeps its own colours; a file without the Style group gives the default
// colours; the file's values reach control and band unclamped.
TEST_F(VelloroTest, ColoursComeFromTheFileWithoutClamping) {
  const COLORREF defaultNumbers = RGB(153, 153, 204), defaultBand = RGB(244, 244, 244), defaultLine = RGB(255, 255, 255);
  const struct {
    const char* file;  // nullptr: none
    std::string colours;
  } cases[] = {
      {nullptr, colourLine(GetSysColor(COLOR_WINDOW), CLR_INVALID, defaultNumbers, defaultBand, defaultLine, 85)},
      {"[Program]\r\nWin_Width = 700\r\n",
       colourLine(RGB(234, 234, 234), RGB(80, 80, 80), defaultNumbers, defaultBand, defaultLine, 85)},
      {"[Style]\r\nEditor_FontColor = 10,20,30\r\nEditor_Back = 300,0,0\r\nLineNumbers = 1,2,3\r\n"
       "LineNumbers_Back = \r\nLineNumbers_Line = 7\r\n",
       colourLine(300, RGB(10, 20, 30), RGB(1, 2, 3), 0, RGB(7, 0, 0), 85)},
  };
  for (const auto& c : cases) {
    if (c.file != nullptr) writeFile(folder + "Preferences.pref", c.file);
    startVelloro();
    EXPECT_EQ(coloursInUse(), c.colours);
    app::exitSequence();
  }
}

// A flag counts only when it is exactly 1; the keys are found in any case.
TEST_F(VelloroTest, FlagsInTheFileSwitchTheirModesAndAreSavedBack) {
  const struct {
    const char* file;
    bool on;
  } cases[] = {
      {"[Extras]\r\nwordwrap = 1\r\nTransparency = 1\r\nTransparencyLevel = 50\r\nMinimize in Tray = 1\r\n"
       "Always in Fore-Ground = 1\r\n",
       true},
      {"[Extras]\r\nWordWrap = 2\r\nTransparency = -1\r\nMinimize in Tray = -1\r\nAlways in Fore-Ground = yes\r\n",
       false},
  };
  for (const auto& c : cases) {
    writeFile(folder + "Preferences.pref", c.file);
    startVelloro();
    EXPECT_EQ(app::isMenuItemChecked(app::WordWrap), c.on);
    EXPECT_EQ(app::isMenuItemChecked(app::MinimizeToTray), c.on);
    EXPECT_EQ(app::isMenuItemChecked(app::AlwaysOnTop), c.on);
    EXPECT_EQ((GetWindowLongA(state.mainWindowHandle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.on);
    // The translucency item is missing on this system, but the window is translucent all the same.
    EXPECT_EQ(layeredAlpha(), c.on ? 127 : 0);
    setEditorText(std::string(3000, 'w'));
    EXPECT_EQ(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0) > 1, c.on);
    if (c.on) {
      runCommand(app::SaveSettings);
      EXPECT_EQ(readFile(folder + "Preferences.pref"),
                "[Extras]\r\nWordWrap = 1\r\nTransparency = 0\r\nTransparencyLevel = 50\r\nMinimize in Tray = 1\r\n"
                "Always in Fore-Ground = 1\r\n");
    }
    app::exitSequence();
  }
}

// Asked for by the file, the exit saves the settings, the maximised size among them; the next start
// comes back maximised over that size.
TEST_F(VelloroTest, ExitSavesTheMaximisedSizeAndItComesBackAtTheNextStart) {
  writeFile(folder + "Preferences.pref",
            "[Program]\r\nWin_Width = 640\r\nWin_Height = 480\r\nSave Win_Size = 1\r\nSave Pref. at the End = 1\r\n");
  startVelloro();
  RECT client;
  GetClientRect(state.mainWindowHandle, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom + GetSystemMetrics(SM_CYMENU), 480);
  app::setMenuItemChecked(app::WordWrap, true);
  ShowWindow(state.mainWindowHandle, SW_MAXIMIZE);
  settle();
  GetClientRect(state.mainWindowHandle, &client);
  const int savedWidth = client.right;
  const int savedHeight = client.bottom + GetSystemMetrics(SM_CYMENU);
  runCommand(app::Exit);
  EXPECT_EQ(readFile(folder + "Preferences.pref"),
            "[Program]\r\nWin_Width = " + std::to_string(savedWidth) + "\r\nWin_Height = " +
                std::to_string(savedHeight) +
                "\r\nSave Win_Size = 1\r\nSave Pref. at the End = 1\r\nWin_Maximized = 1\r\n[Extras]\r\nWordWrap = 1\r\n"
                "Transparency = 0\r\nMinimize in Tray = 0\r\nAlways in Fore-Ground = 0\r\n");

  startVelloro();
  EXPECT_TRUE(IsZoomed(state.mainWindowHandle));
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(state.mainWindowHandle, &placement);
  RECT restored{0, 0, savedWidth, savedHeight};
  AdjustWindowRectEx(&restored, GetWindowLongA(state.mainWindowHandle, GWL_STYLE), FALSE,
                     GetWindowLongA(state.mainWindowHandle, GWL_EXSTYLE));
  EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, restored.right - restored.left);
  EXPECT_EQ(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top, restored.bottom - restored.top);
}

}  // namespace
