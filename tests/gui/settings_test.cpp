// Preferences.pref at start-up, on "Einstellungen speichern", on restore and at exit.
#include <windows.h>
#include <richedit.h>

#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/startup.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const char defaultFile[] =
    "; Velloro v2.0  -  Preferences-File\r\n; \r\n[Program]\r\nWin_Width = 740\r\nWin_Height = 600\r\n"
    "Win_Maximized = 0\r\nSave Win_Size = 0\r\nSave Pref. at the End = 0\r\n; \r\n[Style]\r\n"
    "Editor_FontColor = 80,80,80\r\nEditor_Back = 234,234,234\r\nLineNumbers = 153,153,204\r\n"
    "LineNumbers_Back = 244,244,244\r\nLineNumbers_Line = 255,255,255\r\n; \r\n[Extras]\r\nWordWrap = 0\r\n"
    "Transparency = 0\r\nTransparencyLevel = 85\r\nMinimize in Tray = 0\r\nAlways in Fore-Ground = 0\r\n; \r\n";

COLORREF backgroundColour() {
  // The control answers a new background colour with the one it replaced.
  auto previous = static_cast<COLORREF>(SendMessageA(state.editorHandle, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
  SendMessageA(state.editorHandle, EM_SETBKGNDCOLOR, 0, previous);
  return previous;
}

CHARFORMATA textFormat() {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(state.editorHandle, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  return format;
}

BYTE layeredAlpha() {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(state.mainWindowHandle, nullptr, &alpha, &flags)) return 0;
  return alpha;
}

TEST_F(VelloroTest, RestoreWritesTheDefaultFileByteForByte) {
  startVelloro();
  writeFile(folder + "Preferences.pref", "[Old]\r\nJunk = 1\r\n");
  app::dispatchCommand(app::RestoreSettings);
  EXPECT_EQ(readFile(folder + "Preferences.pref"), defaultFile);
  // The running program is not changed by it.
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
}

TEST_F(VelloroTest, NoFileIsCreatedByStartSaveOrExit) {
  startVelloro();
  app::dispatchCommand(app::SaveSettings);
  app::dispatchCommand(app::Exit);
  EXPECT_EQ(exitCalls, 1);
  EXPECT_FALSE(fileExists(folder + "Preferences.pref"));
}

TEST_F(VelloroTest, WithoutFileTheControlKeepsItsOwnColours) {
  startVelloro();
  EXPECT_EQ(backgroundColour(), GetSysColor(COLOR_WINDOW));
  EXPECT_TRUE(textFormat().dwEffects & CFE_AUTOCOLOR);
  EXPECT_EQ(state.gutterNumberColour, RGB(153, 153, 204));
  EXPECT_EQ(state.transparencyLevel, 85);
}

TEST_F(VelloroTest, FileWithoutStyleGroupGivesTheDefaultColours) {
  writeFile(folder + "Preferences.pref", "[Program]\r\nWin_Width = 700\r\n");
  startVelloro();
  EXPECT_EQ(backgroundColour(), RGB(234, 234, 234));
  CHARFORMATA format = textFormat();
  EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR);
  EXPECT_EQ(format.crTextColor, RGB(80, 80, 80));
  RECT client;
  GetClientRect(state.mainWindowHandle, &client);
  EXPECT_EQ(client.right, 700);
  RECT frame;
  GetWindowRect(state.mainWindowHandle, &frame);
  // With a file, the height used for centring is the inner height itself.
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 600) / 2);
}

TEST_F(VelloroTest, ColoursFromTheFileReachControlAndGutterWithoutClamping) {
  writeFile(folder + "Preferences.pref",
            "[Style]\r\nEditor_FontColor = 10,20,30\r\nEditor_Back = 300,0,0\r\nLineNumbers = 1,2,3\r\n"
            "LineNumbers_Back = \r\nLineNumbers_Line = 7\r\n");
  startVelloro();
  EXPECT_EQ(textFormat().crTextColor, RGB(10, 20, 30));
  EXPECT_EQ(backgroundColour(), static_cast<COLORREF>(300));  // red 44, green 1
  EXPECT_EQ(state.gutterNumberColour, RGB(1, 2, 3));
  EXPECT_EQ(state.gutterBackColour, RGB(0, 0, 0));
  EXPECT_EQ(state.gutterLineColour, RGB(7, 0, 0));
}

TEST_F(VelloroTest, EachFlagInTheFileSwitchesItsModeAndChecksItsItem) {
  writeFile(folder + "Preferences.pref",
            "[Extras]\r\nwordwrap = 1\r\nTransparency = 1\r\nTransparencyLevel = 50\r\nMinimize in Tray = 1\r\n"
            "Always in Fore-Ground = 1\r\n");
  startVelloro();
  EXPECT_TRUE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_TRUE(app::isMenuItemChecked(app::MinimizeToTray));
  EXPECT_TRUE(app::isMenuItemChecked(app::AlwaysOnTop));
  EXPECT_TRUE(GetWindowLongA(state.mainWindowHandle, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The translucency item is missing on this system, but the window is translucent all the same.
  EXPECT_FALSE(app::isMenuItemChecked(app::Transparency));
  EXPECT_EQ(layeredAlpha(), 127);
  setEditorText(std::string(3000, 'w'));
  EXPECT_GT(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0), 1);

  app::dispatchCommand(app::SaveSettings);
  EXPECT_EQ(readFile(folder + "Preferences.pref"),
            "[Extras]\r\nWordWrap = 1\r\nTransparency = 0\r\nTransparencyLevel = 50\r\nMinimize in Tray = 1\r\n"
            "Always in Fore-Ground = 1\r\n");
}

TEST_F(VelloroTest, FlagsCountOnlyWhenExactlyOne) {
  writeFile(folder + "Preferences.pref",
            "[Extras]\r\nWordWrap = 2\r\nMinimize in Tray = -1\r\nAlways in Fore-Ground = yes\r\n");
  startVelloro();
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_FALSE(app::isMenuItemChecked(app::MinimizeToTray));
  EXPECT_FALSE(app::isMenuItemChecked(app::AlwaysOnTop));
}

TEST_F(VelloroTest, SavingIntoAFileWithoutExtrasAppendsTheGroupAndItsKeys) {
  writeFile(folder + "Preferences.pref", "; mine\r\n[Program]\r\nSave Win_Size = 0\r\n");
  startVelloro();
  app::setMenuItemChecked(app::AlwaysOnTop, true);
  app::dispatchCommand(app::SaveSettings);
  EXPECT_EQ(readFile(folder + "Preferences.pref"),
            "; mine\r\n[Program]\r\nSave Win_Size = 0\r\n[Extras]\r\nWordWrap = 0\r\nTransparency = 0\r\n"
            "Minimize in Tray = 0\r\nAlways in Fore-Ground = 1\r\n");
}

TEST_F(VelloroTest, MaximisedSizeIsSavedAndComesBackMaximisedAtTheNextStart) {
  writeFile(folder + "Preferences.pref", "[Program]\r\nWin_Width = 640\r\nWin_Height = 480\r\nSave Win_Size = 1\r\n");
  startVelloro();
  RECT client;
  GetClientRect(state.mainWindowHandle, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom + GetSystemMetrics(SM_CYMENU), 480);
  ShowWindow(state.mainWindowHandle, SW_MAXIMIZE);
  settle();
  GetClientRect(state.mainWindowHandle, &client);
  int savedWidth = client.right;
  int savedHeight = client.bottom + GetSystemMetrics(SM_CYMENU);
  app::dispatchCommand(app::SaveSettings);
  EXPECT_EQ(readFile(folder + "Preferences.pref"),
            "[Program]\r\nWin_Width = " + std::to_string(savedWidth) + "\r\nWin_Height = " +
                std::to_string(savedHeight) +
                "\r\nSave Win_Size = 1\r\nWin_Maximized = 1\r\n[Extras]\r\nWordWrap = 0\r\nTransparency = 0\r\n"
                "Minimize in Tray = 0\r\nAlways in Fore-Ground = 0\r\n");
  app::exitSequence();

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

TEST_F(VelloroTest, AbsurdWindowSizesStillGiveAReachableWindow) {
  writeFile(folder + "Preferences.pref", "[Program]\r\nWin_Width = -5000\r\nWin_Height = 2000000000\r\n");
  startVelloro();
  RECT frame;
  GetWindowRect(state.mainWindowHandle, &frame);
  EXPECT_GE(frame.left, 0);
  EXPECT_GE(frame.top, 0);
  EXPECT_LE(frame.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(frame.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(VelloroTest, ExitSavesOnlyWhenTheFileAsksForIt) {
  writeFile(folder + "Preferences.pref", "[Program]\r\nSave Pref. at the End = 1\r\n");
  startVelloro();
  app::setMenuItemChecked(app::WordWrap, true);
  app::dispatchCommand(app::Exit);
  EXPECT_EQ(readFile(folder + "Preferences.pref"),
            "[Program]\r\nSave Pref. at the End = 1\r\n[Extras]\r\nWordWrap = 1\r\nTransparency = 0\r\n"
            "Minimize in Tray = 0\r\nAlways in Fore-Ground = 0\r\n");

  writeFile(folder + "Preferences.pref", defaultFile);
  startVelloro();
  app::setMenuItemChecked(app::WordWrap, true);
  app::dispatchCommand(app::Exit);
  EXPECT_EQ(readFile(folder + "Preferences.pref"), defaultFile);
}

}  // namespace
