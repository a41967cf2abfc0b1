// Word wrap with its refusal while a file is open, and go to line with its modal input window.
#include <windows.h>
#include <richedit.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

constexpr char refusal[] =
    "Bei aktivierter Zeilennummerierung und geöffneter Datei ist es nicht möglich den Zeilenumbruch zu "
    "aktivieren.\nSchließen sie ihre aktuelle geöffnete Datei und probieren Sie es noch einmal!";

LRESULT lineCount() { return SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0); }

LRESULT firstVisibleLine() { return SendMessageA(state.editorHandle, EM_GETFIRSTVISIBLELINE, 0, 0); }

void placeCaret(LONG at) { select(at, at); }

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

std::string textOfDialogItem(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

TEST_F(VelloroTest, WordWrapSwitchesOnAndOffWithoutAFile) {
  startVelloro();
  setEditorText(std::string(3000, 'w'));
  ASSERT_EQ(lineCount(), 1);
  app::dispatchCommand(app::WordWrap);
  EXPECT_TRUE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_GT(lineCount(), 1);
  app::dispatchCommand(app::WordWrap);
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_EQ(lineCount(), 1);
}

TEST_F(VelloroTest, WordWrapIsRefusedWhileAFileIsOpenAndSwitchedOffAlways) {
  startVelloro();
  setEditorText(std::string(3000, 'w'));
  state.currentPath = folder + "offen.txt";

  std::string text;
  std::atomic<bool> mainDisabled{false}, onlyOk{false};
  {
    DialogAnswerer answerer(document::dialogTitle("Zeilenumbruch"), [&](HWND box) {
      text = textOfDialogItem(box, 0xFFFF);  // the message box's text control
      mainDisabled = !IsWindowEnabled(state.mainWindowHandle);
      onlyOk =
          GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr && GetDlgItem(box, IDNO) == nullptr;
      pressButton(box, IDOK);
    });
    app::dispatchCommand(app::WordWrap);
    EXPECT_TRUE(answerer.answered());
  }
  EXPECT_EQ(text, refusal);
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(onlyOk);
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_EQ(lineCount(), 1);
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));

  // Switched on before the file was opened: switching off is allowed.
  state.currentPath.clear();
  app::dispatchCommand(app::WordWrap);
  ASSERT_TRUE(app::isMenuItemChecked(app::WordWrap));
  state.currentPath = folder + "offen.txt";
  app::dispatchCommand(app::WordWrap);
  EXPECT_FALSE(app::isMenuItemChecked(app::WordWrap));
  EXPECT_EQ(lineCount(), 1);
}

// What the input window looked like while it was open, seen from the answering thread.
struct InputWindowFacts {
  std::string className;
  LONG style = 0;
  RECT frame{};
  bool mainDisabled = false;
  bool fieldFocused = false;
  bool fieldHasGuiFont = false;
  std::string prompt;
};

// Answers the input window: puts `typed` into its field and finishes with `finish`.
enum class Finish { EnterKey, OkButton, EscapeKey, CloseRequest };

void answerLineInput(HWND window, const std::string& typed, Finish finish, InputWindowFacts& facts) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  facts.className = className;
  facts.style = GetWindowLongA(window, GWL_STYLE);
  GetWindowRect(window, &facts.frame);
  facts.mainDisabled = !IsWindowEnabled(state.mainWindowHandle);
  HWND field = FindWindowExA(window, nullptr, "Edit", nullptr);
  HWND prompt = FindWindowExA(window, nullptr, "Static", nullptr);
  facts.prompt = windowText(prompt);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  facts.fieldFocused = thread.hwndFocus == field;
  facts.fieldHasGuiFont =
      reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0)) == GetStockObject(DEFAULT_GUI_FONT);

  SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  switch (finish) {
    case Finish::EnterKey: PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1); break;
    case Finish::EscapeKey: PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 1); break;
    case Finish::OkButton: PostMessageA(FindWindowExA(window, nullptr, "Button", "OK"), BM_CLICK, 0, 0); break;
    case Finish::CloseRequest: PostMessageA(window, WM_CLOSE, 0, 0); break;
  }
}

InputWindowFacts goToLineAnswering(const std::string& typed, Finish finish) {
  InputWindowFacts facts;
  DialogAnswerer answerer(document::dialogTitle("Gehe zu Zeile"),
                          [&](HWND window) { answerLineInput(window, typed, finish, facts); });
  app::dispatchCommand(app::GoToLine);
  EXPECT_TRUE(answerer.answered()) << typed;
  settle();
  return facts;
}

TEST_F(VelloroTest, GoToLineReadsTheNumberLenientlyAndPutsTheCaretAtTheLineStart) {
  struct Case {
    const char* typed;
    Finish finish;
    LONG caretBefore;
    int number;
    LONG caretAfter;
  } cases[] = {
      {"1", Finish::EnterKey, 155, 1, 0},
      {"12abc", Finish::EnterKey, 0, 12, 110},
      {"  7", Finish::OkButton, 0, 7, 60},
      {"\t+3", Finish::EnterKey, 0, 3, 20},
      {"vier", Finish::EnterKey, 45, 0, 40},   // no digits: the start of the caret's own line
      {"9", Finish::EscapeKey, 45, 0, 40},     // cancelled: likewise
      {"9", Finish::CloseRequest, 73, 0, 70},  // Alt+F4
  };
  startVelloro();
  setEditorText(numberedLines(20));
  for (const Case& c : cases) {
    placeCaret(c.caretBefore);
    state.goToLineNumber = -99;
    goToLineAnswering(c.typed, c.finish);
    EXPECT_EQ(state.goToLineNumber, c.number) << c.typed;
    CHARRANGE got = selection();
    EXPECT_EQ(got.cpMin, c.caretAfter) << c.typed;
    EXPECT_EQ(got.cpMax, c.caretAfter) << c.typed;
    EXPECT_EQ(GetFocus(), state.editorHandle) << c.typed;
    EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle)) << c.typed;
  }
}

TEST_F(VelloroTest, GoToLineScrollsByTheNumberBeforeMovingTheCaret) {
  startVelloro();
  setEditorText(numberedLines(300));
  placeCaret(0);
  SendMessageA(state.editorHandle, EM_LINESCROLL, 0, 29);
  ASSERT_EQ(firstVisibleLine(), 29);  // line 30 at the top

  goToLineAnswering("50", Finish::EnterKey);
  EXPECT_EQ(selection().cpMin, 490);
  // Scrolled by 50 to line 80 first; putting the caret on line 50 then brings that line back to the top.
  EXPECT_EQ(firstVisibleLine(), 49);

  // A cancel scrolls nothing.
  placeCaret(1005);
  LRESULT before = firstVisibleLine();
  goToLineAnswering("", Finish::EscapeKey);
  EXPECT_EQ(firstVisibleLine(), before);
  EXPECT_EQ(selection().cpMin, 1000);
}

TEST_F(VelloroTest, LineInputWindowIsASmallModalWindowOfItsOwnClass) {
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  HWND search = state.searchWindow;
  ASSERT_NE(search, nullptr);
  std::atomic<bool> searchDisabled{false};

  InputWindowFacts facts;
  {
    DialogAnswerer answerer(document::dialogTitle("Gehe zu Zeile"), [&](HWND window) {
      searchDisabled = !IsWindowEnabled(search);
      answerLineInput(window, "1", Finish::EnterKey, facts);
    });
    app::dispatchCommand(app::GoToLine);
    EXPECT_TRUE(answerer.answered());
  }
  EXPECT_NE(facts.className, std::string(app::programWindowClass()));
  EXPECT_EQ(facts.style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), WS_CAPTION);
  EXPECT_EQ(facts.frame.right - facts.frame.left, 300);
  EXPECT_EQ(facts.frame.bottom - facts.frame.top, 130);
  EXPECT_EQ(facts.frame.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 150);
  EXPECT_EQ(facts.frame.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 65);
  EXPECT_EQ(facts.prompt, "Zeile:");
  EXPECT_TRUE(facts.mainDisabled);
  EXPECT_TRUE(searchDisabled);
  EXPECT_TRUE(facts.fieldFocused);
  EXPECT_TRUE(facts.fieldHasGuiFont);

  // Everything is enabled again and the class is gone until the next use.
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
  EXPECT_TRUE(IsWindowEnabled(search));
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), facts.className.c_str(), &info));
  EXPECT_EQ(GetFocus(), state.editorHandle);
}

}  // namespace
