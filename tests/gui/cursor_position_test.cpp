// Status field 0 follows the cursor's line and column, and idle passes and paints make the control
// walk nothing. A layout change under a kept selection is checked with word wrap.

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/status_bar.h"
#include "app/status_text.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// Questions the control answers by walking its text from the start (any line's start but the
// first two's), and the caret lookups among them, counted on top of the program's own procedure.
int walks = 0, caretLookups = 0;
WNDPROC belowCounter = nullptr;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  caretLookups += message == EM_EXLINEFROMCHAR;
  walks += (message == EM_LINEINDEX && static_cast<long>(wParam) > 1) || message == EM_EXLINEFROMCHAR ||
           message == EM_LINEFROMCHAR || message == EM_CHARFROMPOS;
  return CallWindowProcA(belowCounter, window, message, wParam, lParam);
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
  runUntil([] { return false; }, 1500);
  InvalidateRect(state.editorHandle, nullptr, FALSE);
  UpdateWindow(state.editorHandle);
  settle();
  EXPECT_EQ(walks, 0);
  // A save changes neither the text nor its layout: no lookup after it either.
  state.currentPath = folder + "gespeichert.txt";
  runCommand(app::Save);
  ASSERT_EQ(app::statusText(1), " Gespeichert");
  EXPECT_EQ(walks, 0);
  // A moved caret is looked up once, and the field shows it.
  select(20, 20);
  settle();
  settle();
  EXPECT_EQ(caretLookups, 1);
  EXPECT_EQ(app::statusText(0), app::cursorPositionText(21, 1));
}

}  // namespace
