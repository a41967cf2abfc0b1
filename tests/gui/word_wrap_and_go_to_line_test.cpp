// Word wrap with its refusal while a file is open, and go to line with its modal input window.
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

LRESULT lineCount() { return SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0); }
LRESULT firstVisibleLine() { return SendMessageA(state.editorHandle, EM_GETFIRSTVISIBLELINE, 0, 0); }

TEST_F(VelloroTest, WordWrapSwitchesOnOnlyWithoutAFileAndOffAlways) {
  startVelloro();
  setEditorText(std::string(3000, 'w'));
  for (bool on : {true, false}) {
    runCommand(app::WordWrap);
    EXPECT_EQ(app::isMenuItemChecked(app::WordWrap), on);
    EXPECT_EQ(lineCount() > 1, on);
  }

  // With a file open, switching on is refused.
  state.currentPath = folder + "offen.txt";
  EXPECT_TRUE(runAnswering(app::WordWrap, "Zeilenumbruch", answerWith(IDOK)));
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_EQ(lineCount(), 1);

  // Switched on before the file was opened: switching off is allowed.
  state.currentPath.clear();
  runCommand(app::WordWrap);
  ASSERT_TRUE(app::isMenuItemChecked(app::WordWrap));
  state.currentPath = folder + "offen.txt";
  runCommand(app::WordWrap);
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_EQ(lineCount(), 1);
}

// Lines of ten characters each ("Zeile 001" and a paragraph mark), so line n starts at (n - 1) * 10.
std::string numberedLines(int count) {
  std::string text;
  for (int line = 1; line <= count; ++line) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "Zeile %03d", line);
    text += buffer;
    if (line < count) text += '\r';
  }
  return text;
}

enum class Finish { EnterKey, OkButton, EscapeKey, CloseRequest };

// Answers the input window with `typed` and `finish`; returns where it stood and what it disabled
// and focused while it was open, as one line.
std::string goToLineAnswering(const std::string& typed, Finish finish) {
  std::string facts;
  EXPECT_TRUE(runAnswering(app::GoToLine, "Gehe zu Zeile", [&](HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    HWND field = FindWindowExA(window, nullptr, "Edit", nullptr);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    char place[64];
    std::snprintf(place, sizeof place, "%ld,%ld from the centre",
                  (frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2,
                  (frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2);
    facts = place + std::string(IsWindowEnabled(state.mainWindowHandle) ? "" : ", main disabled") +
            (state.searchWindow != nullptr && !IsWindowEnabled(state.searchWindow) ? ", find disabled" : "") +
            (thread.hwndFocus == field ? ", field focused" : "");
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    switch (finish) {
      case Finish::EnterKey: PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1); break;
      case Finish::EscapeKey: PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 1); break;
      case Finish::OkButton: PostMessageA(FindWindowExA(window, nullptr, "Button", "OK"), BM_CLICK, 0, 0); break;
      case Finish::CloseRequest: PostMessageA(window, WM_CLOSE, 0, 0); break;
    }
  })) << typed;
  return facts;
}

TEST_F(VelloroTest, GoToLineAsksInACentredModalWindowAndPutsTheCaretAtTheLineStart) {
  const struct {
    const char* typed;
    Finish finish;
    LONG caretBefore;
    int number;
    LONG caretAfter;
  } cases[] = {
      {"1", Finish::EnterKey, 155, 1, 0},
      {"12abc", Finish::EnterKey, 0, 12, 110},
      {"  7", Finish::OkButton, 0, 7, 60},
      {"vier", Finish::EnterKey, 45, 0, 40},   // no digits: the start of the caret's own line
      {"9", Finish::EscapeKey, 45, 0, 40},     // cancelled: likewise
      {"9", Finish::CloseRequest, 73, 0, 70},  // Alt+F4
  };
  startVelloro();
  setEditorText(numberedLines(20));
  runCommand(app::Find);  // an open Find window is disabled with the main window
  ASSERT_NE(state.searchWindow, nullptr);
  for (const auto& c : cases) {
    select(c.caretBefore, c.caretBefore);
    state.goToLineNumber = -99;
    EXPECT_EQ(goToLineAnswering(c.typed, c.finish),
              "0,0 from the centre, main disabled, find disabled, field focused");
    EXPECT_EQ(state.goToLineNumber, c.number) << c.typed;
    EXPECT_EQ(std::pair(selection().cpMin, selection().cpMax), std::pair(c.caretAfter, c.caretAfter)) << c.typed;
    EXPECT_EQ(GetFocus(), state.editorHandle) << c.typed;
    EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle) && IsWindowEnabled(state.searchWindow)) << c.typed;
  }
}

TEST_F(VelloroTest, GoToLineScrollsByTheNumberBeforeMovingTheCaret) {
  startVelloro();
  setEditorText(numberedLines(300));
  select(0, 0);
  SendMessageA(state.editorHandle, EM_LINESCROLL, 0, 29);
  ASSERT_EQ(firstVisibleLine(), 29);  // line 30 at the top
  goToLineAnswering("50", Finish::EnterKey);
  EXPECT_EQ(selection().cpMin, 490);
  // Scrolled by 50 to line 80 first; putting the caret on line 50 then brings that line back to the top.
  EXPECT_EQ(firstVisibleLine(), 49);

  // A cancel scrolls nothing.
  select(1005, 1005);
  const LRESULT before = firstVisibleLine();
  goToLineAnswering("", Finish::EscapeKey);
  EXPECT_EQ(firstVisibleLine(), before);
  EXPECT_EQ(selection().cpMin, 1000);
}

}  // namespace
