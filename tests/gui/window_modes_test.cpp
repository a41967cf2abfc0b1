// Minimising into the notification area, staying on top and translucency.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/object_ids.h"
#include "app/startup.h"
#include "app/window_modes.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// The shell answers a change of an icon it does not hold with failure.
bool trayIconPresent() {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = state.mainWindowHandle;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != 0;
}

BYTE layeredAlpha() {
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(state.mainWindowHandle, nullptr, &alpha, &flags));
  EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
  return alpha;
}

TEST_F(VelloroTest, MinimisingHidesTheWindowBehindAnIconOnlyInTheTrayMode) {
  for (bool trayMode : {false, true}) {
    SCOPED_TRACE(trayMode);
    startVelloro();
    if (trayMode) app::dispatchCommand(app::MinimizeToTray);
    ASSERT_EQ(app::isMenuItemChecked(app::MinimizeToTray), trayMode);
    ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
    settle();
    EXPECT_EQ(IsWindowVisible(state.mainWindowHandle) != FALSE, !trayMode);
    EXPECT_EQ(trayIconPresent(), trayMode);
    EXPECT_EQ(state.trayIconImage != nullptr, trayMode);
    if (!trayMode) {
      EXPECT_TRUE(IsIconic(state.mainWindowHandle));
    } else {
      // A left double-click on the icon brings the window back and removes the icon.
      PostMessageA(state.mainWindowHandle, app::trayCallbackMessage, 0, WM_LBUTTONDBLCLK);
      settle();
      EXPECT_TRUE(IsWindowVisible(state.mainWindowHandle));
      EXPECT_FALSE(IsIconic(state.mainWindowHandle));
      EXPECT_FALSE(trayIconPresent());
      EXPECT_EQ(GetForegroundWindow(), state.mainWindowHandle);
    }
    app::exitSequence();
  }
}

TEST_F(VelloroTest, TrayIconTipIsTheTitleCutToSixtyThreeCharacters) {
  startVelloro();
  const std::string longTitle = "Velloro v2.0 Beta 3  -  " + std::string(70, 'n') + ".txt";
  for (const std::string& title : {longTitle, std::string("short")}) {
    SetWindowTextA(state.mainWindowHandle, title.c_str());
    app::minimizeToTray();
    EXPECT_EQ(app::trayIconTip(), title.substr(0, 63));
    app::restoreFromTray();
  }
}

// Whether the first window lies above the second in the z-order.
bool above(HWND first, HWND second) {
  for (HWND window = GetWindow(second, GW_HWNDPREV); window != nullptr; window = GetWindow(window, GW_HWNDPREV)) {
    if (window == first) return true;
  }
  return false;
}

TEST_F(VelloroTest, AlwaysOnTopKeepsTheWindowAboveOthersUntilSwitchedOff) {
  startVelloro();
  // Wine 8 does not make a window topmost while it owns popups (the toolbar's tooltip window);
  // the tooltip window leaves the owner chain here so that the program's own call is what counts.
  HWND tips = reinterpret_cast<HWND>(SendMessageA(state.toolbar, TB_GETTOOLTIPS, 0, 0));
  SetWindowLongPtrA(tips, GWLP_HWNDPARENT, 0);
  // Another program's window, raised as it would be when the user clicks it.
  HWND other = CreateWindowExA(0, "STATIC", "andere", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
  auto raiseOther = [&] { SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); };
  raiseOther();
  ASSERT_TRUE(above(other, state.mainWindowHandle));

  app::dispatchCommand(app::AlwaysOnTop);
  EXPECT_TRUE(app::isMenuItemChecked(app::AlwaysOnTop));
  raiseOther();
  EXPECT_TRUE(above(state.mainWindowHandle, other));

  app::dispatchCommand(app::AlwaysOnTop);
  EXPECT_FALSE(app::isMenuItemChecked(app::AlwaysOnTop));
  raiseOther();
  EXPECT_TRUE(above(other, state.mainWindowHandle));
  DestroyWindow(other);
}

TEST_F(VelloroTest, OpacityIsTheLevelTimes255Over100AndTheItemTogglesIt) {
  startVelloro();
  struct Case {
    int percent;
    BYTE alpha;
  } cases[] = {{85, 216}, {50, 127}, {100, 255}, {150, static_cast<BYTE>(382)}};
  for (const Case& c : cases) {
    app::setWindowOpacity(state.mainWindowHandle, c.percent);
    EXPECT_EQ(layeredAlpha(), c.alpha) << c.percent;
  }

  // Systems that offer the item have it in the Extras menu; give this one the same item.
  InsertMenuA(GetSubMenu(state.menuBar, 4), 2, MF_BYPOSITION | MF_STRING, app::Transparency, "Transparenz");
  state.transparencyLevel = 85;
  for (BYTE alpha : {216, 255}) {
    app::dispatchCommand(app::Transparency);
    EXPECT_EQ(app::isMenuItemChecked(app::Transparency), alpha != 255);
    EXPECT_EQ(layeredAlpha(), alpha);
  }
}

TEST_F(VelloroTest, ActivatingAWindowFocusesItsMainControl) {
  startVelloro();
  SetFocus(state.statusBar);
  SendMessageA(state.mainWindowHandle, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), state.editorHandle);

  app::dispatchCommand(app::Find);
  settle();
  SetActiveWindow(state.mainWindowHandle);
  settle();
  EXPECT_EQ(GetFocus(), state.editorHandle);
  SetActiveWindow(state.searchWindow);
  settle();
  EXPECT_EQ(GetFocus(), GetDlgItem(state.searchWindow, app::searchFieldId));
}

}  // namespace
