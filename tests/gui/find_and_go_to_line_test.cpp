// The Find window's search, the text and direction it remembers for F3, and go to line.

#include <utility>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

constexpr int nextButton = 4, field = 5, upwardOption = 8, downwardOption = 9;

HWND control(int id) { return GetDlgItem(state.searchWindow, id); }

// Clicks a button of the Find window and lets the loop handle what the click produced.
void click(int id) {
  SendMessageA(control(id), BM_CLICK, 0, 0);
  settle();
}

std::pair<LONG, LONG> selected() { return {selection().cpMin, selection().cpMax}; }

// One case-insensitive step from the selection's far edge in the chosen direction, without
// wrap-around; closing the window remembers the text and direction for F3.
TEST_F(VelloroTest, FindNextStepsFromTheSelectionIgnoringCaseAndMissesChangeNothing) {
  const struct {
    const char *text, *search;
    bool upward;
    LONG from, to, foundFrom, foundTo;
  } cases[] = {
      {"Straße und Brücke", "brü", false, 3, 3, 11, 14}, {"nichts davon", "xyz", false, 2, 3, 2, 3},
      {"eins Eins EINS", "eins", false, 0, 4, 5, 9},     {"eins Eins EINS", "eins", false, 10, 14, 10, 14},
      {"eins Eins EINS", "eins", true, 0, 4, 0, 4},      {"eins Eins EINS", "eins", true, 10, 14, 5, 9},
  };
  startVelloro();
  runCommand(app::Find);
  for (const auto& c : cases) {
    setEditorText(c.text);
    select(c.from, c.to);
    SetWindowTextA(control(field), c.search);
    click(c.upward ? upwardOption : downwardOption);
    click(nextButton);
    EXPECT_EQ(selected(), std::pair(c.foundFrom, c.foundTo)) << c.text << (c.upward ? " up from " : " from ") << c.from;
  }
  PostMessageA(state.searchWindow, WM_CLOSE, 0, 0);  // the close box
  settle();
  runCommand(app::FindNext);
  EXPECT_EQ(selected(), std::pair(0L, 4L));
}

// Answers the go-to-line window with `typed` and Enter or Escape; false when none came or it left the
// main window usable.
bool goToLineAnswering(const std::string& typed, bool cancel) {
  bool modal = false;
  const bool answered = runAnswering(app::GoToLine, "Gehe zu Zeile", [&](HWND window) {
    modal = !IsWindowEnabled(state.mainWindowHandle);
    HWND field = FindWindowExA(window, nullptr, "Edit", nullptr);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    PostMessageA(field, WM_KEYDOWN, cancel ? VK_ESCAPE : VK_RETURN, 1);
  });
  return answered && modal;
}

// Without digits, or cancelled, the caret goes to the start of its own line; past the end, to the end.
TEST_F(VelloroTest, GoToLinePutsTheCaretAtTheLineStartAndTheLineAtTheTop) {
  std::string text;  // line n starts at (n - 1) * 10
  for (int line = 1; line <= 300; ++line) text += "Zeile " + std::to_string(1000 + line).substr(1) + "\r";
  const struct {
    const char* typed;
    bool cancel;
    LONG caretBefore, caretAfter;
  } cases[] = {
      {"12abc", false, 0, 110}, {"vier", false, 45, 40}, {"9", true, 73, 70},
      {"999", false, 73, 3000}, {"50", false, 0, 490},
  };
  startVelloro();
  setEditorText(text);
  for (const auto& c : cases) {
    select(c.caretBefore, c.caretBefore);
    EXPECT_TRUE(goToLineAnswering(c.typed, c.cancel)) << c.typed;
    EXPECT_EQ(selected(), std::pair(c.caretAfter, c.caretAfter)) << c.typed;
    EXPECT_EQ(GetFocus(), state.editorHandle) << c.typed;
  }
  // The view scrolls by the number before the caret moves, which leaves line 50 at the top.
  EXPECT_EQ(SendMessageA(state.editorHandle, EM_GETFIRSTVISIBLELINE, 0, 0), 49);
}

}  // namespace
