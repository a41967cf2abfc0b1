// The Find window, its remembered text and direction, and the search in the text control.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

constexpr int closeButton = 3, nextButton = 4, field = 5, upwardOption = 8, downwardOption = 9;

HWND control(int id) { return GetDlgItem(state.searchWindow, id); }

// Clicks a button of the Find window and lets the loop handle what the click produced.
void click(int id) {
  SendMessageA(control(id), BM_CLICK, 0, 0);
  settle();
}

void typeIntoField(const std::string& text) { SetWindowTextA(control(field), text.c_str()); }

void pressKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  settle();
}

bool checked(int id) { return SendMessageA(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

#define EXPECT_SELECTION(from, to) \
  do {                             \
    CHARRANGE got = selection();   \
    EXPECT_EQ(got.cpMin, from);    \
    EXPECT_EQ(got.cpMax, to);      \
  } while (false)

TEST_F(VelloroTest, FindWindowOpensTopmostWithItsControlsInPlace) {
  startVelloro();
  state.searchText = "gemerkt";
  app::dispatchCommand(app::Find);
  settle();
  HWND window = state.searchWindow;
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(windowText(window), document::dialogTitle("Suchen"));
  EXPECT_EQ(windowText(window), "Velloro v2.0 Beta 3  |  Suchen");

  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT client, frame;
  GetClientRect(window, &client);
  GetWindowRect(window, &frame);
  EXPECT_EQ(client.right, 265);
  EXPECT_EQ(client.bottom, 130);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

  struct Expected {
    int id;
    const char* className;
    int x, y, width, height;
    const char* text;
    bool tabStop;
  } expected[] = {
      {3, "Button", 166, 100, 90, 22, "Schließen", true},
      {4, "Button", 9, 100, 90, 22, "Weitersuchen", true},
      {5, "Edit", 85, 10, 170, 20, "gemerkt", true},
      {6, "Static", 9, 13, 67, 20, "Suchen nach:", false},
      {7, "Button", 9, 40, 247, 50, "Richtung:", false},
      // The tab stop of the direction group lies on its selected option.
      {8, "Button", 24, 60, 60, 20, "Aufwärts", false},
      {9, "Button", 180, 60, 60, 20, "Abwärts", true},
  };
  // Children are listed in the order they were created, which is the Tab order.
  HWND child = GetWindow(window, GW_CHILD);
  for (const Expected& e : expected) {
    ASSERT_NE(child, nullptr) << e.id;
    EXPECT_EQ(GetDlgCtrlID(child), e.id);
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    EXPECT_STRCASEEQ(className, e.className) << e.id;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, e.x) << e.id;
    EXPECT_EQ(rect.top, e.y) << e.id;
    EXPECT_EQ(rect.right - rect.left, e.width) << e.id;
    EXPECT_EQ(rect.bottom - rect.top, e.height) << e.id;
    EXPECT_EQ(windowText(child), e.text) << e.id;
    EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) != 0, e.tabStop) << e.id;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);

  EXPECT_EQ(GetWindowLongA(control(field), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindowLongA(control(7), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
  for (int option : {upwardOption, downwardOption}) {
    EXPECT_EQ(GetWindowLongA(control(option), GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON) << option;
  }
  EXPECT_TRUE(GetWindowLongA(control(upwardOption), GWL_STYLE) & WS_GROUP);
  EXPECT_FALSE(checked(upwardOption));
  EXPECT_TRUE(checked(downwardOption));
  EXPECT_EQ(GetFocus(), control(field));
  EXPECT_NE(state.searchAccelerators, nullptr);
  // The main window stays usable.
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
}

TEST_F(VelloroTest, TabMovesTheFocusThroughTheFindWindow) {
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  ASSERT_EQ(GetFocus(), control(field));
  std::vector<int> visited;
  for (int step = 0; step < 4; ++step) {
    pressKey(GetFocus(), VK_TAB);
    visited.push_back(GetDlgCtrlID(GetFocus()));
  }
  ASSERT_EQ(visited.size(), 4u);
  EXPECT_TRUE(visited[0] == upwardOption || visited[0] == downwardOption) << visited[0];
  EXPECT_EQ(visited[1], closeButton);
  EXPECT_EQ(visited[2], nextButton);
  EXPECT_EQ(visited[3], field);
}

TEST_F(VelloroTest, RepeatedSearchesStepThroughTheHitsAndStopAtTheLast) {
  startVelloro();
  setEditorText("eins zwei Eins drei EINS");
  select(0, 0);
  app::dispatchCommand(app::Find);
  settle();
  typeIntoField("eins");

  const CHARRANGE downward[] = {{0, 4}, {10, 14}, {20, 24}, {20, 24}};
  for (const CHARRANGE& hit : downward) {
    click(nextButton);
    EXPECT_SELECTION(hit.cpMin, hit.cpMax);
    EXPECT_EQ(GetFocus(), control(field));
  }

  click(upwardOption);
  EXPECT_TRUE(checked(upwardOption));
  const CHARRANGE upward[] = {{10, 14}, {0, 4}, {0, 4}};
  for (const CHARRANGE& hit : upward) {
    click(nextButton);
    EXPECT_SELECTION(hit.cpMin, hit.cpMax);
  }
  // Searching from the window remembers nothing.
  EXPECT_EQ(state.searchText, "");
  EXPECT_EQ(state.searchUpward, 0);
}

TEST_F(VelloroTest, SmallLettersFindCapitalsInsideWordsAndMissesChangeNothing) {
  struct Case {
    const char* text;
    const char* search;
    LONG start, end;  // the selection before the search
    LONG from, to;    // after it
  } cases[] = {
      {"Der HAUSMEISTER kommt", "haus", 0, 0, 4, 8},
      {"Mein Zuhause", "HAUSE", 0, 0, 7, 12},
      {"Straße und Brücke", "brü", 3, 3, 11, 14},
      {"nichts davon", "xyz", 2, 3, 2, 3},
      {"eins zwei", "eins", 1, 1, 1, 1},  // no wrap-around to the hit above
  };
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  for (const Case& c : cases) {
    setEditorText(c.text);
    select(c.start, c.end);
    typeIntoField(c.search);
    click(nextButton);
    CHARRANGE got = selection();
    EXPECT_EQ(got.cpMin, c.from) << c.search;
    EXPECT_EQ(got.cpMax, c.to) << c.search;
  }
}

TEST_F(VelloroTest, ButtonSearchesTheTypedTextWhileF3KeepsTheRememberedOne) {
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  typeIntoField("eins");
  click(closeButton);
  EXPECT_EQ(state.searchWindow, nullptr);
  EXPECT_EQ(state.searchAccelerators, nullptr);
  EXPECT_EQ(state.searchText, "eins");
  EXPECT_EQ(state.searchUpward, 0);

  setEditorText("zwei eins zwei eins");
  select(0, 0);
  app::dispatchCommand(app::Find);
  settle();
  EXPECT_EQ(windowText(control(field)), "eins");
  typeIntoField("zwei");
  click(nextButton);
  EXPECT_SELECTION(0, 4);

  // F3 pressed in the Find window itself.
  ASSERT_EQ(GetActiveWindow(), state.searchWindow);
  pressKey(control(field), VK_F3);
  EXPECT_SELECTION(5, 9);
  click(nextButton);
  EXPECT_SELECTION(10, 14);
  // F3 in the main window: the same remembered text.
  app::dispatchCommand(app::FindNext);
  EXPECT_SELECTION(15, 19);
  EXPECT_EQ(state.searchText, "eins");
  EXPECT_EQ(windowText(control(field)), "zwei");
}

TEST_F(VelloroTest, ReopeningShowsTheRememberedTextWithDownwardButF3StillGoesUp) {
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  typeIntoField("ab");
  click(upwardOption);
  HWND old = state.searchWindow;
  PostMessageA(old, WM_CLOSE, 0, 0);  // the close box
  settle();
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(state.searchText, "ab");
  EXPECT_EQ(state.searchUpward, 1);

  app::dispatchCommand(app::Find);
  settle();
  EXPECT_EQ(windowText(control(field)), "ab");
  EXPECT_TRUE(checked(downwardOption));
  EXPECT_FALSE(checked(upwardOption));

  setEditorText("ab ab ab");
  select(8, 8);
  pressKey(control(field), VK_F3);
  EXPECT_SELECTION(6, 8);
  pressKey(control(field), VK_F3);
  EXPECT_SELECTION(3, 5);
  // Closing now remembers the direction shown, downward.
  click(closeButton);
  EXPECT_EQ(state.searchUpward, 0);
}

TEST_F(VelloroTest, FindCommandWhileOpenReplacesTheWindowWithoutRememberingTheTypedText) {
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  typeIntoField("alt");
  click(closeButton);

  app::dispatchCommand(app::Find);
  settle();
  HWND first = state.searchWindow;
  typeIntoField("neu");
  click(upwardOption);
  app::dispatchCommand(app::Find);
  settle();
  EXPECT_FALSE(IsWindow(first));
  ASSERT_NE(state.searchWindow, nullptr);
  EXPECT_NE(state.searchWindow, first);
  EXPECT_EQ(windowText(control(field)), "alt");
  EXPECT_TRUE(checked(downwardOption));
  EXPECT_EQ(state.searchText, "alt");
  EXPECT_EQ(state.searchUpward, 0);
  EXPECT_NE(state.searchAccelerators, nullptr);
}

TEST_F(VelloroTest, FindNextWithNothingRememberedOpensTheWindowFirst) {
  startVelloro();
  setEditorText("abc abc");
  select(1, 2);
  app::dispatchCommand(app::FindNext);
  settle();
  ASSERT_NE(state.searchWindow, nullptr);
  EXPECT_TRUE(IsWindowVisible(state.searchWindow));
  EXPECT_EQ(windowText(control(field)), "");
  // The control finds nothing for an empty text, so the selection stays.
  EXPECT_SELECTION(1, 2);
}

}  // namespace

namespace {

using namespace gui_test;
using app::state;

TEST_F(VelloroTest, EnterInTheFindWindowSearchesAndEscapeClosesItRemembering) {
  startVelloro();
  setEditorText("ein Ziel und noch ein Ziel");
  select(0, 0);
  app::dispatchCommand(app::Find);
  settle();
  typeIntoField("ziel");
  pressKey(control(field), VK_RETURN);
  EXPECT_SELECTION(4, 8);
  pressKey(control(field), VK_RETURN);
  EXPECT_SELECTION(22, 26);
  pressKey(control(field), VK_ESCAPE);
  EXPECT_EQ(state.searchWindow, nullptr);
  EXPECT_EQ(state.searchText, "ziel");
}

}  // namespace
