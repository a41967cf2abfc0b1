// Status field 0 follows the cursor's line and column, and idle passes and paints make the control walk nothing.
#include <windows.h>
#include <richedit.h>

#include <functional>
#include <map>
#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/status_bar.h"
#include "app/status_text.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// Counts what reaches the control, on top of the program's own procedure, and the questions the
// control answers by walking its text from the start (any line's start but the first two's).
std::map<UINT, int> received;
int walks = 0;
WNDPROC belowCounter = nullptr;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++received[message];
  const bool laterLineStart = message == EM_LINEINDEX && static_cast<long>(wParam) > 1;
  if (laterLineStart || message == EM_EXLINEFROMCHAR || message == EM_LINEFROMCHAR || message == EM_CHARFROMPOS) ++walks;
  return CallWindowProcA(belowCounter, window, message, wParam, lParam);
}

// The position of the selection as the control answers it right now, formatted as field 0 shows it.
std::string positionAskedAfresh() {
  CHARRANGE range = selection();
  LRESULT line = SendMessageA(state.editorHandle, EM_EXLINEFROMCHAR, 0, range.cpMin);
  LRESULT start = SendMessageA(state.editorHandle, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  return app::cursorPositionText(range.cpMax - static_cast<long>(start) + 1, static_cast<long>(line) + 1);
}

void resizeMainWindow(int width, int height) {
  SetWindowPos(state.mainWindowHandle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

TEST_F(VelloroTest, PositionFollowsChangesThatKeepTheSelection) {
  std::string words;
  for (int i = 0; i < 200; ++i) words += "wort ";
  const struct {
    const char* name;
    std::string text;
    bool wrapped;
    LONG caret;
    std::function<void()> change;
  } cases[] = {
      {"lines inserted before the caret, selection restored", "abc\r\ndef\r\nghi", false, 9,
       [] {
         CHARRANGE kept = selection();
         select(0, 0);
         SendMessageA(state.editorHandle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("x\r\ny\r\nz"));
         select(kept.cpMin, kept.cpMax);
       }},
      {"word wrap switched off", words, true, 700, [] { app::dispatchCommand(app::WordWrap); }},
      {"word wrap switched on", words, false, 700, [] { app::dispatchCommand(app::WordWrap); }},
      {"narrower window re-wraps", words, true, 700, [] { resizeMainWindow(400, 500); }},
  };
  startVelloro();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    resizeMainWindow(800, 600);
    if (app::isMenuItemChecked(app::WordWrap) != c.wrapped) app::dispatchCommand(app::WordWrap);
    setEditorText(c.text);
    select(c.caret, c.caret);
    settle();
    const std::string before = app::statusText(0);
    ASSERT_EQ(before, positionAskedAfresh());

    c.change();
    settle();
    const std::string after = positionAskedAfresh();
    EXPECT_NE(after, before) << "the change must move the caret to another line or column";
    EXPECT_EQ(app::statusText(0), after);
    EXPECT_EQ(selection().cpMin, c.caret);
  }
}

TEST_F(VelloroTest, IdlePassesAskTheControlForNoLines) {
  startVelloro();
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "Zeile mit etwas Text\r\n";
  setEditorText(text);
  select(50000, 50000);
  SetFocus(state.editorHandle);  // the caret blinks, which wakes the loop
  settle();
  belowCounter = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countingProc)));
  auto lineLookups = [] { return walks; };

  received.clear();
  walks = 0;
  runUntil([] { return false; }, 1500);
  InvalidateRect(state.editorHandle, nullptr, FALSE);
  UpdateWindow(state.editorHandle);
  settle();
  EXPECT_EQ(lineLookups(), 0);

  // A save changes neither the text nor its layout: no lookup after it either.
  state.currentPath = folder + "gespeichert.txt";
  received.clear();
  walks = 0;
  runCommand(app::Save);
  ASSERT_EQ(app::statusText(1), " Gespeichert");
  EXPECT_EQ(lineLookups(), 0);

  // A moved caret is looked up once, and the field shows it.
  received.clear();
  select(20, 20);
  settle();
  settle();
  EXPECT_EQ(received[EM_EXLINEFROMCHAR], 1);
  EXPECT_EQ(app::statusText(0), app::cursorPositionText(21, 1));
}

}  // namespace
