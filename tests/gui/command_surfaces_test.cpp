// The menus and toolbar as a user meets them: labels through the code page, tooltips the toolbar
// asks for, and the translucency item only where the system can show it.
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

// "id label" per item, "-" for a separator.
std::vector<std::string> describe(HMENU menu) {
  std::vector<std::string> lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char label[256] = {};
    GetMenuStringA(menu, i, label, sizeof label, MF_BYPOSITION);
    const UINT id = GetMenuItemID(menu, i);
    lines.push_back(label[0] == '\0' ? "-" : std::to_string(id) + " " + label);
  }
  return lines;
}

std::vector<std::string> extrasMenu() { return describe(GetSubMenu(state.menuBar, 4)); }

TEST_F(VelloroTest, MenuAndToolbarShowTheirUmlautTexts) {
  startVelloro();
  EXPECT_EQ(describe(GetSubMenu(state.menuBar, 0)).at(1), "2 Öffnen...\tStrg+O");
  // Wine reports Windows 6.1, which offers no translucency item.
  EXPECT_EQ(extrasMenu().at(2), "28 In Tray minimieren");

  TBBUTTON first{}, open{};
  SendMessageA(state.toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageA(state.toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&open));
  char tip[80] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = state.toolbar;
  tool.uId = static_cast<UINT_PTR>(open.idCommand);
  tool.lpszText = tip;
  SendMessageA(reinterpret_cast<HWND>(SendMessageA(state.toolbar, TB_GETTOOLTIPS, 0, 0)), TTM_GETTEXTA, sizeof tip,
               reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::to_string(open.idCommand) + " " + std::to_string(open.iBitmap - first.iBitmap) + " " + tip,
            "2 " + std::to_string(STD_FILEOPEN - STD_FILENEW) + " Öffnen (Strg+O)");
}

TEST(TransparencyOffer, OnlyNtFiveZeroToTwo) {
  const struct {
    bool known;
    DWORD platform, major, minor;
    bool offered;
  } cases[] = {
      {true, VER_PLATFORM_WIN32_NT, 5, 0, true},       {true, VER_PLATFORM_WIN32_NT, 5, 2, true},
      {true, VER_PLATFORM_WIN32_NT, 5, 3, false},      {true, VER_PLATFORM_WIN32_NT, 4, 0, false},
      {true, VER_PLATFORM_WIN32_NT, 6, 1, false},      {true, VER_PLATFORM_WIN32_WINDOWS, 5, 1, false},
      {false, VER_PLATFORM_WIN32_NT, 5, 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::offersTransparency(c.known, c.platform, c.major, c.minor), c.offered)
        << c.platform << " " << c.major << "." << c.minor;
  }
}

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
  EXPECT_EQ(extrasMenu().at(2), "27 Transparenz");
}

}  // namespace
