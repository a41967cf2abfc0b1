// The settings: the Extras menu's modes (word wrap, refused while a file is open; translucency and
// where it is offered), and Preferences.pref: the store on a real file system and the program's
// reading and writing of it at start-up, on "Einstellungen speichern" and at exit.
#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/status_bar.h"
#include "app/status_text.h"
#include "settings/preferences_store.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;
using settings::PreferencesStore;
using PreferencesStoreTest = VelloroTest;

// Not in the form the store writes, so that any rewrite shows.
const std::string messyFile = "\r\n  [Program]\n Win_Width=800  \n\n;note\r[Extras]\r\nWordWrap = 1\r\n";

// Reading changes nothing, and changes are written whole on closing. The file is kept as it was
// when it cannot be replaced whole: another program's reader opened before the store that shares no
// writing leaves it read access only, one opened after it keeps the file from being replaced, a
// read-only file is never rewritten nor made anew (whoever runs the program), and a file in UTF-16
// (an editor's "Unicode") read as 8-bit text would be cut at every zero byte.
TEST_F(PreferencesStoreTest, ChangesAreWrittenWholeOnClosingOrNotAtAll) {
  const std::string path = folder + "Preferences.pref";
  writeFile(path, messyFile);
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  store.selectGroup("Program");
  EXPECT_EQ(store.readNumber("win_width", 0), 800);
  store.selectGroup("Missing");
  EXPECT_TRUE(store.closeStore());
  EXPECT_EQ(readFile(path), messyFile);
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("; meine Farben\r\n[Style]\r\nEditor_Back = 255,255,200\r\n")) utf16 += {c, '\0'};
  auto openReader = [&](DWORD sharing) {
    return CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  for (int held : {1, 2, 3, 0, 4}) {  // a reader opened before the store, after it; read-only; UTF-16; none
    const std::string& text = held != 0 ? messyFile : utf16;
    writeFile(path, text);
    if (held == 3) {
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    HANDLE reader = held == 1 ? openReader(FILE_SHARE_READ) : INVALID_HANDLE_VALUE;
    ASSERT_TRUE(store.openForReading(path)) << held;
    store.selectGroup("Program");
    store.writeNumber("Win_Width", 1024);
    const std::string expected = held == 4 ? store.model().serialize() : text;
    if (held == 2) reader = openReader(FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(readFile(path), text) << "nothing is written before closing";
    EXPECT_EQ(store.closeStore(), held == 4) << held;
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    EXPECT_FALSE(held == 3 && store.createForWriting(path)) << "restoring the defaults makes the file anew";
    EXPECT_EQ(readFile(path), expected) << held;
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, held == 3 ? FILE_ATTRIBUTE_READONLY : 0u);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((folder + "*.tmp").c_str(), &found), INVALID_HANDLE_VALUE) << "a temporary file stayed";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// A flag counts only when it is exactly 1, and its key is found in any case; a save writes each
// key back once, in the program's spelling, with the value in force.
TEST_F(VelloroTest, FlagsInTheFileCountOnlyWhenExactlyOneAndAreSavedBackClean) {
  for (const std::string value : {"1", "2", "-1", "yes"}) {
    SCOPED_TRACE(value);
    const std::string flag = value == "1" ? "1" : "0";
    writeFile(folder + "Preferences.pref",
              "[Extras]\r\nwordwrap = " + value + "\r\nALWAYS IN FORE-GROUND = " + value + "\r\n");
    startVelloro();
    EXPECT_EQ(app::isMenuItemChecked(app::WordWrap), flag == "1");
    EXPECT_EQ((GetWindowLongA(state.mainWindowHandle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, flag == "1");
    runCommand(app::SaveSettings);
    EXPECT_EQ(readFile(folder + "Preferences.pref"), "[Extras]\r\nWordWrap = " + flag + "\r\nAlways in Fore-Ground = " +
                                                         flag + "\r\nTransparency = 0\r\nMinimize in Tray = 0\r\n");
    app::exitSequence();
  }
}

bool mainWindowOnTop() { return (GetWindowLongA(state.mainWindowHandle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Chosen from the menu once the window is up, with its toolbar's tooltip window, the mode holds the
// main window itself above other programs' windows, also after it was activated again; the second
// choice lets it go. An open Find window stays above it.
TEST_F(VelloroTest, AlwaysOnTopFromTheMenuHoldsTheMainWindowAboveOthersAndLetsItGo) {
  startVelloro();
  for (bool on : {true, false, true, false}) {
    SCOPED_TRACE(on);
    runCommand(app::AlwaysOnTop);
    EXPECT_EQ(app::isMenuItemChecked(app::AlwaysOnTop), on);
    EXPECT_EQ(mainWindowOnTop(), on);
    SetForegroundWindow(GetDesktopWindow());
    settle();
    SetForegroundWindow(state.mainWindowHandle);
    settle();
    EXPECT_EQ(mainWindowOnTop(), on) << "after activation";
  }
  runCommand(app::Find);
  ASSERT_NE(state.searchWindow, nullptr);
  runCommand(app::AlwaysOnTop);
  EXPECT_TRUE(mainWindowOnTop());
  HWND above = GetTopWindow(nullptr);
  while (above != nullptr && above != state.searchWindow && above != state.mainWindowHandle) {
    above = GetWindow(above, GW_HWNDNEXT);
  }
  EXPECT_EQ(above, state.searchWindow) << "the Find window went behind the main window";
}

// Asked for by the file, the exit saves the settings with the window's size: the maximised size, or
// for a window minimised to the task bar or the notification area its normal size and whether it
// comes back maximised. The next start brings that back.
TEST_F(VelloroTest, ExitSavesTheWindowSizeAndItComesBackAtTheNextStart) {
  const std::string asked =
      "[Program]\r\nWin_Width = 800\r\nWin_Height = 500\r\nSave Win_Size = 1\r\nSave Pref. at the End = 1\r\n";
  const struct {
    bool maximise, minimise, toTray;
  } cases[] = {{true, false, false}, {false, true, false}, {true, true, false}, {false, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.maximise << c.minimise << c.toTray);
    writeFile(folder + "Preferences.pref", asked);
    startVelloro();
    if (c.toTray) runCommand(app::MinimizeToTray);
    RECT client{0, 0, 800, 500 - GetSystemMetrics(SM_CYMENU)};
    if (c.maximise) ShowWindow(state.mainWindowHandle, SW_MAXIMIZE), settle();
    if (c.maximise && !c.minimise) GetClientRect(state.mainWindowHandle, &client);
    if (c.minimise) ShowWindow(state.mainWindowHandle, SW_MINIMIZE), settle();
    runCommand(app::Exit);
    const std::string width = std::to_string(client.right);
    const std::string height = std::to_string(client.bottom + GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(readFile(folder + "Preferences.pref"),
              "[Program]\r\nWin_Width = " + width + "\r\nWin_Height = " + height +
                  "\r\nSave Win_Size = 1\r\nSave Pref. at the End = 1\r\nWin_Maximized = " + (c.maximise ? "1" : "0") +
                  "\r\n[Extras]\r\nWordWrap = 0\r\nTransparency = 0\r\nMinimize in Tray = " + (c.toTray ? "1" : "0") +
                  "\r\nAlways in Fore-Ground = 0\r\n");
    startVelloro();
    EXPECT_EQ(IsZoomed(state.mainWindowHandle) != FALSE, c.maximise);
    GetClientRect(state.mainWindowHandle, &client);
    const std::pair<LONG, LONG> normalSize(800, 500 - GetSystemMetrics(SM_CYMENU));
    if (!c.maximise) {
      EXPECT_EQ(std::pair(client.right, client.bottom), normalSize);
    }
    app::exitSequence();
  }
}

LRESULT lineCount() { return SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0); }

// Switched off under a kept selection, the cursor's place in the status bar follows the new layout.
TEST_F(VelloroTest, WordWrapSwitchesOnOnlyWithoutAFileAndOffAlways) {
  startVelloro();
  setEditorText(std::string(3000, 'w'));
  runCommand(app::WordWrap);
  EXPECT_GT(lineCount(), 1);
  select(700, 700);
  settle();
  state.currentPath = folder + "offen.txt";
  runCommand(app::WordWrap);
  EXPECT_EQ(lineCount(), 1);
  EXPECT_EQ(app::statusText(0), app::cursorPositionText(701, 1));  // wrapped, the caret stood on a later line
  EXPECT_TRUE(runAnswering(app::WordWrap, "Zeilenumbruch", answerWith(IDOK)));
  EXPECT_EQ(lineCount(), 1);
}

UINT transparencyItem() { return GetMenuState(state.menuBar, app::Transparency, MF_BYCOMMAND); }

// The level from the file, as a share of 255: one above 100 is opaque rather than wrapping round to
// almost nothing, and none (an empty or mistyped value reads 0) makes the window vanish. The item
// switches between that level and opaque.
TEST_F(VelloroTest, TransparencyLevelFromTheFileNeverHidesTheWindowAndTheItemToggles) {
  const std::pair<const char*, BYTE> cases[] = {{"50", 127}, {"85", 216}, {"101", 255}, {"200", 255},
                                                {"2147483647", 255}, {"10", 25}, {"0", 25}, {"", 25}, {"-5", 25}};
  for (const auto& [level, expected] : cases) {
    SCOPED_TRACE(level);
    writeFile(folder + "Preferences.pref",
              std::string("[Extras]\r\nTransparency = 1\r\nTransparencyLevel = ") + level + "\r\n");
    startVelloro();
    EXPECT_EQ(transparencyItem(), static_cast<UINT>(-1)) << "Wine reports Windows 6.1, which is not offered it";
    // Systems that offer the item have it in the Extras menu, marked as the file says; give this one
    // the same item.
    InsertMenuA(GetSubMenu(state.menuBar, 4), 2, MF_BYPOSITION | MF_STRING | MF_CHECKED, app::Transparency,
                "Transparenz");
    for (bool on : {true, false, true}) {
      BYTE alpha = 0;
      GetLayeredWindowAttributes(state.mainWindowHandle, nullptr, &alpha, nullptr);
      EXPECT_EQ(alpha, on ? expected : 255) << on;
      runCommand(app::Transparency);
      EXPECT_EQ((transparencyItem() & MF_CHECKED) != 0, !on) << on;
    }
    app::exitSequence();
  }
}

// Minimised while a message box is open, the window goes to the task bar, not the notification
// area: the box's own loop would leave a double-click on the icon unanswered, and Windows hides the
// box along with its owner, so neither could be brought back. A shell that starts again (after
// Explorer ended) has forgotten the icons: the window hidden in the notification area adds its icon
// again, or it could not be brought back; a shown window adds none.
TEST_F(VelloroTest, TrayIconOnlyWhereTheWindowCanBeBroughtBack) {
  startVelloro();
  runCommand(app::MinimizeToTray);
  bool onTaskBar = false;
  EXPECT_TRUE(runAnswering(app::SettingsNote, "Einstellungen", [&](HWND box) {
    ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
    onTaskBar = IsWindowVisible(state.mainWindowHandle) && IsIconic(state.mainWindowHandle);
    pressButton(box, IDOK);
  }));
  EXPECT_TRUE(onTaskBar);
  EXPECT_FALSE(state.trayIconShown);
  ShowWindow(state.mainWindowHandle, SW_RESTORE);
  ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
  settle();
  EXPECT_TRUE(state.trayIconShown) << "without a box open the window goes to the notification area";
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = state.mainWindowHandle;
  for (bool inTray : {true, false}) {
    Shell_NotifyIconA(NIM_DELETE, &icon);
    SendMessageA(state.mainWindowHandle, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    settle();
    EXPECT_EQ(Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE, inTray) << inTray;  // refused for an unknown icon
    runCommand(app::RestoreFromTray);
  }
}

// Runs in a prefix that reports Windows XP (see tests/CMakeLists.txt), where the item is offered.
class WindowsXpTest : public VelloroTest {};

TEST_F(WindowsXpTest, ExtrasMenuOffersTransparencyOnNtFiveOne) {
  if (GetEnvironmentVariableA("VELLORO_EXPECT_XP", nullptr, 0) == 0) GTEST_SKIP() << "needs a prefix set to Windows XP";
  startVelloro();
  EXPECT_NE(transparencyItem(), static_cast<UINT>(-1));
}

}  // namespace
