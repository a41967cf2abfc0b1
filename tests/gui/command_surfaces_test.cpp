// The menus, popup menus, toolbar, shortcuts and status bar as a user meets them.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// One line per entry: "id label", "-" for a separator, "> title" opening a submenu and "<" closing it.
void describeMenu(HMENU menu, std::vector<std::string>& lines) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char label[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = label;
    info.cch = sizeof label;
    ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
    if (info.fType & MFT_SEPARATOR) {
      lines.push_back("-");
    } else if (info.hSubMenu != nullptr) {
      lines.push_back(std::string("> ") + label);
      describeMenu(info.hSubMenu, lines);
      lines.push_back("<");
    } else {
      lines.push_back(std::to_string(info.wID) + " " + label);
    }
  }
}

std::vector<std::string> describe(HMENU menu) {
  std::vector<std::string> lines;
  describeMenu(menu, lines);
  return lines;
}

const std::vector<std::string> insertSubmenu = {
    "> Einfügen (Extras)", "16 Datum einfügen", "17 Uhrzeit (ohne Sekunden) einfügen",
    "18 Uhrzeit (mit Sekunden) einfügen", "-", "19 RGB-Farbe einfügen...", "-",
    "30 HTML-Standard-Gerüst einfügen", "<"};

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(VelloroTest, MenuBarHoldsEveryItemInOrderWithoutAccessKeys) {
  startVelloro();
  std::vector<std::string> expected = join({
      {"> Datei", "1 Neu\tStrg+N", "2 Öffnen...\tStrg+O", "6 Schließen\tStrg+W", "-", "3 Speichern\tStrg+S",
       "4 Speichern unter...\tStrg+Alt+S", "33 Umbenennen...", "-", "5 Drucken...\tStrg+P", "-",
       "7 Beenden\tStrg+B", "<"},
      {"> Bearbeiten", "8 Rückgängig\tStrg+Z", "9 Wiederholen\tStrg+Y", "-", "10 Ausschneiden\tStrg+X",
       "11 Kopieren\tStrg+C", "12 Einfügen\tStrg+V", "-"},
      insertSubmenu,
      {"-", "25 Löschen\tEntf", "-", "13 Alles markieren\tStrg+A", "<"},
      {"> Suchen", "34 Suchen...\tStrg+F", "35 Weitersuchen\tF3", "-", "14 Gehe zu Zeile...\tStrg+G", "<"},
      {"> Konfiguration", "23 Einstellungen...", "32 Einstellungen speichern", "-",
       "26 Einstellungen wiederherstellen", "<"},
      // Wine reports Windows 6.1, which offers no translucency item.
      {"> Extras", "15 Zeilenumbruch", "-", "28 In Tray minimieren", "-", "29 Immer im Vordergrund", "-",
       "21 Rechner...", "-", "22 Zeichentabelle...", "<"},
      {"> Hilfe", "24 Über Velloro...", "<"},
  });
  EXPECT_EQ(describe(state.menuBar), expected);
  EXPECT_EQ(GetMenu(state.mainWindowHandle), state.menuBar);
  for (const std::string& line : describe(state.menuBar)) EXPECT_EQ(line.find('&'), std::string::npos) << line;
}

TEST_F(VelloroTest, PopupMenusHoldTheirItems) {
  startVelloro();
  EXPECT_EQ(describe(state.trayMenu),
            (std::vector<std::string>{"31 Velloro wiederherstellen", "-", "24 Über Velloro...", "-", "7 Beenden"}));
  EXPECT_EQ(describe(state.editorMenu),
            join({{"8 Rückgängig\tStrg+Z", "9 Wiederholen\tStrg+Y", "-", "10 Ausschneiden\tStrg+X",
                   "11 Kopieren\tStrg+C", "12 Einfügen\tStrg+V", "-"},
                  insertSubmenu,
                  {"-", "25 Löschen\tEntf", "-", "13 Alles markieren\tStrg+A", "-", "14 Gehe zu Zeile...\tStrg+G"}}));
}

TEST(TransparencyOffer, OnlyNtFiveZeroToTwo) {
  struct Case {
    bool known;
    DWORD platform, major, minor;
    bool offered;
  } cases[] = {
      {true, VER_PLATFORM_WIN32_NT, 5, 0, true},       {true, VER_PLATFORM_WIN32_NT, 5, 1, true},
      {true, VER_PLATFORM_WIN32_NT, 5, 2, true},       {true, VER_PLATFORM_WIN32_NT, 5, 3, false},
      {true, VER_PLATFORM_WIN32_NT, 4, 0, false},      {true, VER_PLATFORM_WIN32_NT, 6, 1, false},
      {true, VER_PLATFORM_WIN32_WINDOWS, 5, 1, false}, {false, VER_PLATFORM_WIN32_NT, 5, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::offersTransparency(c.known, c.platform, c.major, c.minor), c.offered)
        << c.platform << " " << c.major << "." << c.minor;
  }
}

TEST_F(VelloroTest, ModeCheckMarksLiveOnTheMenuBar) {
  startVelloro();
  for (app::CommandId id : {app::WordWrap, app::MinimizeToTray, app::AlwaysOnTop}) {
    EXPECT_FALSE(app::isMenuItemChecked(id));
    app::setMenuItemChecked(id, true);
    EXPECT_TRUE(app::isMenuItemChecked(id));
    EXPECT_TRUE(GetMenuState(state.menuBar, id, MF_BYCOMMAND) & MF_CHECKED);
    app::setMenuItemChecked(id, false);
    EXPECT_FALSE(app::isMenuItemChecked(id));
  }
  // The translucency item does not exist here and so carries no mark.
  app::setMenuItemChecked(app::Transparency, true);
  EXPECT_FALSE(app::isMenuItemChecked(app::Transparency));
}

TEST_F(VelloroTest, ToolbarHasNineFlatButtonsWithStandardImagesAndGermanTips) {
  startVelloro();
  HWND toolbar = state.toolbar;
  ASSERT_NE(toolbar, nullptr);
  EXPECT_TRUE(GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_FLAT);
  EXPECT_TRUE(GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_TOOLTIPS);
  struct Expected {
    int id, image;
    const char* tip;
  } expected[] = {{1, STD_FILENEW, "Neu (Strg+N)"},        {2, STD_FILEOPEN, "Öffnen (Strg+O)"},
                  {3, STD_FILESAVE, "Speichern (Strg+S)"}, {0, 0, nullptr},
                  {6, STD_DELETE, "Schließen (Strg+W)"},   {0, 0, nullptr},
                  {8, STD_UNDO, "Rückgängig (Strg+Z)"},    {9, STD_REDOW, "Wiederholen (Strg+Y)"},
                  {0, 0, nullptr},                         {10, STD_CUT, "Ausschneiden (Strg+X)"},
                  {11, STD_COPY, "Kopieren (Strg+C)"},     {12, STD_PASTE, "Einfügen (Strg+V)"}};
  ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(std::size(expected)));
  TBBUTTON first{};
  SendMessageA(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
  int imageBase = first.iBitmap - STD_FILENEW;
  HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
    TBBUTTON button{};
    SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (expected[i].id == 0) {
      EXPECT_TRUE(button.fsStyle & BTNS_SEP) << i;
      continue;
    }
    EXPECT_EQ(button.idCommand, expected[i].id);
    EXPECT_EQ(button.iBitmap - imageBase, expected[i].image) << expected[i].tip;
    EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = toolbar;
    tool.uId = static_cast<UINT_PTR>(expected[i].id);
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, expected[i].tip);
  }
}

TEST_F(VelloroTest, AcceleratorTableHoldsTheElevenShortcuts) {
  startVelloro();
  ACCEL table[32];
  int count = CopyAcceleratorTableA(state.accelerators, table, 32);
  struct Expected {
    BYTE flags;
    WORD key, command;
  } expected[] = {
      {FVIRTKEY | FNOINVERT | FCONTROL, 'N', 1},          {FVIRTKEY | FNOINVERT | FCONTROL, 'O', 2},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'S', 3},          {FVIRTKEY | FNOINVERT | FCONTROL | FALT, 'S', 4},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'P', 5},          {FVIRTKEY | FNOINVERT | FCONTROL, 'W', 6},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'B', 7},          {FVIRTKEY | FNOINVERT | FCONTROL, 'A', 13},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'G', 14},         {FVIRTKEY | FNOINVERT | FCONTROL, 'F', 34},
      {FVIRTKEY | FNOINVERT, VK_F3, 35},
  };
  ASSERT_EQ(count, static_cast<int>(std::size(expected)));
  for (int i = 0; i < count; ++i) {
    // The last entry of a table carries the end marker 0x80.
    EXPECT_EQ(table[i].fVirt & 0x7F, expected[i].flags) << i;
    EXPECT_EQ(table[i].key, expected[i].key) << i;
    EXPECT_EQ(table[i].cmd, expected[i].command) << i;
  }
}

TEST_F(VelloroTest, StatusBarHasTwoFieldsAndShowsTheCursorPosition) {
  startVelloro();
  int edges[4] = {};
  ASSERT_EQ(SendMessageA(state.statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 70);
  EXPECT_EQ(edges[1], 159);
  char text[64] = {};
  SendMessageA(state.statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, " 1:1");
  EXPECT_EQ(LOWORD(SendMessageA(state.statusBar, SB_GETTEXTLENGTHA, 1, 0)), 0);

  setEditorText("first\r\nsecond line\r\nthird");
  CHARRANGE selection{8, 20};  // from "cond" on line 2 into line 3
  SendMessageA(state.editorHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  PostMessageA(state.mainWindowHandle, WM_NULL, 0, 0);
  settle();
  SendMessageA(state.statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, " 15:2");  // the column counts to the selection's end
}

}  // namespace

namespace {

using namespace gui_test;

// Runs in a prefix that reports Windows XP (see tests/CMakeLists.txt); elsewhere it is skipped.
class WindowsXpTest : public VelloroTest {};

TEST_F(WindowsXpTest, ExtrasMenuOffersTransparencyOnNtFiveOne) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  bool xp = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 5 && version.dwMinorVersion == 1;
  if (!xp) {
    char expected[8] = {};
    ASSERT_EQ(GetEnvironmentVariableA("VELLORO_EXPECT_XP", expected, sizeof expected), 0u)
        << "the prefix should report Windows XP but reports " << version.dwMajorVersion << "." << version.dwMinorVersion;
    GTEST_SKIP() << "needs a prefix set to Windows XP";
  }
  startVelloro();
  std::vector<std::string> lines = describe(GetSubMenu(app::state.menuBar, 4));
  EXPECT_EQ(lines, (std::vector<std::string>{"15 Zeilenumbruch", "-", "27 Transparenz", "-", "28 In Tray minimieren",
                                             "-", "29 Immer im Vordergrund", "-", "21 Rechner...", "-",
                                             "22 Zeichentabelle..."}));
}

}  // namespace
