// The menus, popup menus, toolbar, shortcuts and status bar as a user meets them.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/menus.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// One line per entry: "id label", "-" for a separator, "> title" opening a submenu and "<" closing it.
void describeMenu(HMENU menu, std::vector<std::string>& lines) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
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

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const std::vector<std::string> editItems = {"8 Rückgängig\tStrg+Z",   "9 Wiederholen\tStrg+Y", "-",
                                            "10 Ausschneiden\tStrg+X", "11 Kopieren\tStrg+C",   "12 Einfügen\tStrg+V",
                                            "-",
                                            "> Einfügen (Extras)",    "16 Datum einfügen",
                                            "17 Uhrzeit (ohne Sekunden) einfügen",
                                            "18 Uhrzeit (mit Sekunden) einfügen", "-", "19 RGB-Farbe einfügen...", "-",
                                            "30 HTML-Standard-Gerüst einfügen", "<",
                                            "-", "25 Löschen\tEntf", "-", "13 Alles markieren\tStrg+A"};

// Exact labels without access keys, in order, on the menu bar and the two popup menus.
TEST_F(VelloroTest, MenusHoldEveryItemInOrder) {
  startVelloro();
  EXPECT_EQ(GetMenu(state.mainWindowHandle), state.menuBar);
  EXPECT_EQ(describe(state.menuBar),
            join({{"> Datei", "1 Neu\tStrg+N", "2 Öffnen...\tStrg+O", "6 Schließen\tStrg+W", "-",
                   "3 Speichern\tStrg+S", "4 Speichern unter...\tStrg+Alt+S", "33 Umbenennen...", "-",
                   "5 Drucken...\tStrg+P", "-", "7 Beenden\tStrg+B", "<", "> Bearbeiten"},
                  editItems,
                  {"<", "> Suchen", "34 Suchen...\tStrg+F", "35 Weitersuchen\tF3", "-",
                   "14 Gehe zu Zeile...\tStrg+G", "<", "> Konfiguration", "23 Einstellungen...",
                   "32 Einstellungen speichern", "-", "26 Einstellungen wiederherstellen", "<",
                   // Wine reports Windows 6.1, which offers no translucency item.
                   "> Extras", "15 Zeilenumbruch", "-", "28 In Tray minimieren", "-", "29 Immer im Vordergrund", "-",
                   "21 Rechner...", "-", "22 Zeichentabelle...", "<", "> Hilfe", "24 Über Velloro...", "<"}}));
  EXPECT_EQ(describe(state.trayMenu),
            (std::vector<std::string>{"31 Velloro wiederherstellen", "-", "24 Über Velloro...", "-", "7 Beenden"}));
  EXPECT_EQ(describe(state.editorMenu), join({editItems, {"-", "14 Gehe zu Zeile...\tStrg+G"}}));
}

TEST(TransparencyOffer, OnlyNtFiveZeroToTwo) {
  const struct {
    bool known;
    DWORD platform, major, minor;
    bool offered;
  } cases[] = {
      {true, VER_PLATFORM_WIN32_NT, 5, 0, true},       {true, VER_PLATFORM_WIN32_NT, 5, 1, true},
      {true, VER_PLATFORM_WIN32_NT, 5, 2, true},       {true, VER_PLATFORM_WIN32_NT, 5, 3, false},
      {true, VER_PLATFORM_WIN32_NT, 4, 0, false},      {true, VER_PLATFORM_WIN32_NT, 6, 1, false},
      {true, VER_PLATFORM_WIN32_WINDOWS, 5, 1, false}, {false, VER_PLATFORM_WIN32_NT, 5, 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::offersTransparency(c.known, c.platform, c.major, c.minor), c.offered)
        << c.platform << " " << c.major << "." << c.minor;
  }
}

TEST_F(VelloroTest, ToolbarHasFlatButtonsWithStandardImagesAndGermanTips) {
  startVelloro();
  HWND toolbar = state.toolbar;
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(GetWindowLongA(toolbar, GWL_STYLE) & (TBSTYLE_FLAT | TBSTYLE_TOOLTIPS), TBSTYLE_FLAT | TBSTYLE_TOOLTIPS);
  const struct {
    int id, image;  // id 0: a separator
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
  const int imageBase = first.iBitmap - STD_FILENEW;
  HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
    const auto& e = expected[i];
    TBBUTTON button{};
    SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (e.id == 0) {
      EXPECT_TRUE(button.fsStyle & BTNS_SEP) << i;
      continue;
    }
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = toolbar;
    tool.uId = static_cast<UINT_PTR>(e.id);
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::to_string(button.idCommand) + " " + std::to_string(button.iBitmap - imageBase) + " " + text +
                  (button.fsState & TBSTATE_ENABLED ? "" : " disabled"),
              std::to_string(e.id) + " " + std::to_string(e.image) + " " + e.tip);
  }
}

TEST_F(VelloroTest, StatusBarHasTwoFieldsThatStartAsAPositionAndEmpty) {
  startVelloro();
  int edges[4] = {};
  ASSERT_EQ(SendMessageA(state.statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(std::pair(edges[0], edges[1]), std::pair(70, 159));
  char text[64] = {};
  SendMessageA(state.statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, " 1:1");
  EXPECT_EQ(LOWORD(SendMessageA(state.statusBar, SB_GETTEXTLENGTHA, 1, 0)), 0);
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
  EXPECT_EQ(describe(GetSubMenu(app::state.menuBar, 4)),
            (std::vector<std::string>{"15 Zeilenumbruch", "-", "27 Transparenz", "-", "28 In Tray minimieren", "-",
                                      "29 Immer im Vordergrund", "-", "21 Rechner...", "-", "22 Zeichentabelle..."}));
}

}  // namespace
