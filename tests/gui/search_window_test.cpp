// The Find window, its remembered text and direction, and the search in the text control.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
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

using Range = std::pair<LONG, LONG>;

Range selected() { return {selection().cpMin, selection().cpMax}; }

void openFindWindow() {
  app::dispatchCommand(app::Find);
  settle();
}

TEST_F(VelloroTest, FindWindowOpensCentredWithTheRememberedTextDownwardAndTabsRound) {
  startVelloro();
  state.searchText = "gemerkt";
  openFindWindow();
  HWND window = state.searchWindow;
  ASSERT_NE(window, nullptr);
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);
  EXPECT_EQ(windowText(control(field)), "gemerkt");
  EXPECT_FALSE(checked(upwardOption));
  EXPECT_TRUE(checked(downwardOption));
  // The main window stays usable.
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));

  ASSERT_EQ(GetFocus(), control(field));
  // Tab goes round as dialogs do, into the direction group at its selected option.
  for (int expected : {downwardOption, closeButton, nextButton, field}) {
    pressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), expected);
  }
}

// One case-insensitive step from the selection's far edge in the chosen direction, without wrap-around.
TEST_F(VelloroTest, FindNextStepsFromTheSelectionIgnoringCaseAndMissesChangeNothing) {
  const char* repeated = "eins zwei Eins drei EINS";
  struct Case {
    const char* text;
    const char* search;
    bool upward;
    Range before, after;
  } cases[] = {
      {repeated, "eins", false, {0, 0}, {0, 4}},       {repeated, "eins", false, {0, 4}, {10, 14}},
      {repeated, "eins", false, {10, 14}, {20, 24}},   {repeated, "eins", false, {20, 24}, {20, 24}},
      {repeated, "eins", true, {20, 24}, {10, 14}},    {repeated, "eins", true, {10, 14}, {0, 4}},
      {repeated, "eins", true, {0, 4}, {0, 4}},        {"Der HAUSMEISTER kommt", "haus", false, {0, 0}, {4, 8}},
      {"Straße und Brücke", "brü", false, {3, 3}, {11, 14}}, {"nichts davon", "xyz", false, {2, 3}, {2, 3}},
      {"eins zwei", "eins", false, {1, 1}, {1, 1}},
  };
  startVelloro();
  openFindWindow();
  for (const Case& c : cases) {
    setEditorText(c.text);
    select(c.before.first, c.before.second);
    typeIntoField(c.search);
    click(c.upward ? upwardOption : downwardOption);
    click(nextButton);
    EXPECT_EQ(selected(), c.after) << c.text << " / " << c.search << " from " << c.before.first;
    EXPECT_EQ(GetFocus(), control(field));
  }
  // Searching from the window remembers nothing.
  EXPECT_EQ(state.searchText, "");
  EXPECT_EQ(state.searchUpward, 0);
}

TEST_F(VelloroTest, ButtonSearchesTheTypedTextWhileF3KeepsTheRememberedOne) {
  startVelloro();
  openFindWindow();
  typeIntoField("eins");
  click(closeButton);
  EXPECT_EQ(state.searchWindow, nullptr);
  EXPECT_EQ(state.searchAccelerators, nullptr);
  EXPECT_EQ(state.searchText, "eins");
  EXPECT_EQ(state.searchUpward, 0);

  setEditorText("zwei eins zwei eins");
  select(0, 0);
  openFindWindow();
  EXPECT_EQ(windowText(control(field)), "eins");
  typeIntoField("zwei");
  click(nextButton);
  EXPECT_EQ(selected(), Range(0, 4));

  // F3 pressed in the Find window itself.
  ASSERT_EQ(GetActiveWindow(), state.searchWindow);
  pressKey(control(field), VK_F3);
  EXPECT_EQ(selected(), Range(5, 9));
  click(nextButton);
  EXPECT_EQ(selected(), Range(10, 14));
  // F3 in the main window: the same remembered text.
  app::dispatchCommand(app::FindNext);
  EXPECT_EQ(selected(), Range(15, 19));
  EXPECT_EQ(state.searchText, "eins");
  EXPECT_EQ(windowText(control(field)), "zwei");
}

TEST_F(VelloroTest, ReopeningShowsTheRememberedTextWithDownwardButF3StillGoesUp) {
  startVelloro();
  openFindWindow();
  typeIntoField("ab");
  click(upwardOption);
  HWND old = state.searchWindow;
  PostMessageA(old, WM_CLOSE, 0, 0);  // the close box
  settle();
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(state.searchText, "ab");
  EXPECT_EQ(state.searchUpward, 1);

  // Find again while the window is open replaces it; what was typed there is not remembered.
  for (int opening = 0; opening < 2; ++opening) {
    old = state.searchWindow;
    openFindWindow();
    EXPECT_FALSE(IsWindow(old));
    ASSERT_NE(state.searchWindow, nullptr);
    EXPECT_EQ(windowText(control(field)), "ab");
    EXPECT_TRUE(checked(downwardOption));
    EXPECT_FALSE(checked(upwardOption));
    typeIntoField("neu");
    click(upwardOption);
  }
  EXPECT_EQ(state.searchText, "ab");
  EXPECT_EQ(state.searchUpward, 1);

  setEditorText("ab ab ab");
  select(8, 8);
  pressKey(control(field), VK_F3);
  EXPECT_EQ(selected(), Range(6, 8));
  pressKey(control(field), VK_F3);
  EXPECT_EQ(selected(), Range(3, 5));
  // F3 took the remembered text upward, not the typed one; closing remembers the direction shown.
  click(downwardOption);
  click(closeButton);
  EXPECT_EQ(state.searchUpward, 0);
}

TEST_F(VelloroTest, FindNextWithNothingRememberedOpensTheWindowWhereEnterSearchesAndEscapeCloses) {
  startVelloro();
  setEditorText("ein Ziel und noch ein Ziel");
  select(1, 2);
  app::dispatchCommand(app::FindNext);
  settle();
  ASSERT_NE(state.searchWindow, nullptr);
  EXPECT_EQ(windowText(control(field)), "");
  // The control finds nothing for an empty text, so the selection stays.
  EXPECT_EQ(selected(), Range(1, 2));

  typeIntoField("ziel");
  pressKey(control(field), VK_RETURN);
  EXPECT_EQ(selected(), Range(4, 8));
  pressKey(control(field), VK_RETURN);
  EXPECT_EQ(selected(), Range(22, 26));
  pressKey(control(field), VK_ESCAPE);
  EXPECT_EQ(state.searchWindow, nullptr);
  EXPECT_EQ(state.searchText, "ziel");
}

}  // namespace
