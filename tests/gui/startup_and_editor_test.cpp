// Start-up, the text control and the event loop, checked on the real windows.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/event_loop.h"
#include "app/startup.h"
#include "app/system_library.h"
#include "editor/editor_control.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

RECT editorRectInMain() {
  RECT rect;
  GetWindowRect(state.editorHandle, &rect);
  MapWindowPoints(nullptr, state.mainWindowHandle, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void expectEditorFollowsClientArea() {
  RECT client;
  GetClientRect(state.mainWindowHandle, &client);
  int height = client.bottom + GetSystemMetrics(SM_CYMENU);
  RECT rect = editorRectInMain();
  EXPECT_EQ(rect.left, 4);
  EXPECT_EQ(rect.top, 28);
  EXPECT_EQ(rect.right - rect.left, client.right - 8);
  EXPECT_EQ(rect.bottom - rect.top, height - 71);
}

TEST_F(VelloroTest, StartsUntitledCentredAtTheBuiltInSize) {
  startVelloro();
  EXPECT_EQ(windowText(state.mainWindowHandle), "Velloro v2.0 Beta 3  -  Unbenannt");
  EXPECT_TRUE(state.currentPath.empty());
  RECT client, frame;
  GetClientRect(state.mainWindowHandle, &client);
  GetWindowRect(state.mainWindowHandle, &frame);
  // The inner height counts the menu bar.
  EXPECT_EQ(client.right, 740);
  EXPECT_EQ(client.bottom + GetSystemMetrics(SM_CYMENU), 600);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 740) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 626) / 2);
  EXPECT_TRUE(IsWindowVisible(state.mainWindowHandle));
  EXPECT_EQ(GetFocus(), state.editorHandle);
  EXPECT_FALSE(editor::readModifiedFlag());
  EXPECT_FALSE(fileExists(folder + "Preferences.pref"));
}

TEST_F(VelloroTest, CommandLineParameterLandsInThePathOnlyWhenItsNameIsUsable) {
  struct Case {
    const char* commandLine;
    const char* path;
  } cases[] = {
      {"velloro.exe", ""},
      {"velloro.exe   notes.txt more", "notes.txt"},
      {"\"C:\\Program Files\\velloro.exe\" \"C:\\my notes\\a b.txt\"", "C:\\my notes\\a b.txt"},
      {"velloro.exe C:\\my notes\\a.txt", "C:\\my"},
      {"velloro.exe what?.txt", "what?.txt"},
  };
  for (const Case& c : cases) {
    startVelloro(c.commandLine);
    EXPECT_EQ(state.currentPath, c.path) << c.commandLine;
    app::exitSequence();
  }
}

TEST_F(VelloroTest, EditorIsARichEditWithTheProgramsStylesAndFont) {
  startVelloro();
  char className[64] = {};
  GetClassNameA(state.editorHandle, className, sizeof className);
  EXPECT_STREQ(className, "RichEdit20A");
  EXPECT_EQ(GetDlgCtrlID(state.editorHandle), 1);
  LONG style = GetWindowLongA(state.editorHandle, GWL_STYLE);
  // The control takes the scroll-bar styles away and shows the bars only when the text needs them.
  for (LONG bit : {WS_CHILD, WS_VISIBLE, WS_TABSTOP, ES_MULTILINE, ES_AUTOVSCROLL, ES_AUTOHSCROLL, ES_NOHIDESEL,
                   ES_WANTRETURN}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_TRUE(GetWindowLongA(state.editorHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindowTextLengthA(state.editorHandle), 0);

  // Typed text takes the face and size set for the whole text.
  typeIntoEditor("typed");
  app::dispatchCommand(app::SelectAll);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(state.editorHandle, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_STREQ(format.szFaceName, "Courier");
  EXPECT_EQ(format.yHeight, 165);
  EXPECT_NE(state.gutterFont, nullptr);
  EXPECT_NE(state.editorPreviousProc, nullptr);
}

TEST_F(VelloroTest, EditorHasNoSizeBeforeTheFirstSizeEventThenFollowsTheWindow) {
  app::setProcessExit([](unsigned) {});
  app::startUp(GetModuleHandleA(nullptr), "velloro.exe");
  RECT rect = editorRectInMain();
  EXPECT_EQ(rect.left, 5);
  EXPECT_EQ(rect.top, 28);
  EXPECT_EQ(rect.right - rect.left, 0);
  EXPECT_EQ(rect.bottom - rect.top, 0);
  settle();
  expectEditorFollowsClientArea();

  SetWindowPos(state.mainWindowHandle, nullptr, 0, 0, 500, 420, SWP_NOMOVE | SWP_NOZORDER);
  settle();
  expectEditorFollowsClientArea();
  SetWindowPos(state.mainWindowHandle, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  settle();
  expectEditorFollowsClientArea();
  RECT before = editorRectInMain();
  ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
  settle();
  ShowWindow(state.mainWindowHandle, SW_RESTORE);
  settle();
  RECT after = editorRectInMain();
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(VelloroTest, MinimisingQueuesNoSizeEvent) {
  startVelloro();
  ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
  int sizeEvents = 0;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  // Everything the minimise produced is queued now; count the size events among it.
  for (int i = 0; i < 100; ++i) {
    PostMessageA(state.mainWindowHandle, WM_NULL, 0, 0);
    app::Event event = app::waitForEvent();
    if (event.kind == static_cast<unsigned>(app::EventKind::Size)) ++sizeEvents;
    if (event.kind == WM_NULL) break;
  }
  EXPECT_EQ(sizeEvents, 0);
}

TEST_F(VelloroTest, CursorQueriesAndMoveCursorToFollowTheirRules) {
  startVelloro();
  EXPECT_EQ(editor::cursorLine(), 1);
  EXPECT_EQ(editor::cursorColumn(), 1);
  std::string text;
  for (int line = 1; line <= 6; ++line) text += "line " + std::to_string(line) + " ....\r\n";
  setEditorText(text);  // every line has 11 characters
  struct Case {
    long line, column, expectedLine, expectedColumn;
  } cases[] = {
      {3, 1, 3, 1},
      {5, 1, 5, 1},
      {5, 4, 5, 4},
      {5, 40, 5, 1},  // beyond the line's end: its start
      {1, 12, 1, 12},
  };
  for (const Case& c : cases) {
    editor::moveCursorTo(c.line, c.column);
    EXPECT_EQ(editor::cursorLine(), c.expectedLine) << c.line << "," << c.column;
    EXPECT_EQ(editor::cursorColumn(), c.expectedColumn) << c.line << "," << c.column;
  }
}

TEST_F(VelloroTest, EditCommandsActOnTheControlWithoutMovingTheFocus) {
  startVelloro();
  setEditorText("hello world");
  SetFocus(state.statusBar);
  HWND focusBefore = GetFocus();
  app::dispatchCommand(app::SelectAll);
  CHARRANGE all{};
  SendMessageA(state.editorHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&all));
  EXPECT_EQ(all.cpMin, 0);
  EXPECT_GE(all.cpMax, 11);  // the control may count its final paragraph mark too
  CHARRANGE text{0, 11};
  SendMessageA(state.editorHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&text));
  app::dispatchCommand(app::Copy);
  app::dispatchCommand(app::Delete);
  EXPECT_EQ(editorText(), "");
  app::dispatchCommand(app::Paste);
  app::dispatchCommand(app::Paste);
  EXPECT_EQ(editorText(), "hello worldhello world");
  app::dispatchCommand(app::Undo);
  EXPECT_EQ(editorText(), "hello world");
  app::dispatchCommand(app::Redo);
  EXPECT_EQ(editorText(), "hello worldhello world");
  SendMessageA(state.editorHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&text));
  app::dispatchCommand(app::Cut);
  EXPECT_EQ(editorText(), "hello world");
  app::dispatchCommand(app::Paste);
  EXPECT_EQ(editorText(), "hello worldhello world");
  EXPECT_EQ(GetFocus(), focusBefore);
}

TEST_F(VelloroTest, EveryCommandNumberHasItsHandlerAndOthersDoNothing) {
  startVelloro();
  for (unsigned id = app::firstCommandId; id <= app::lastCommandId; ++id) {
    if (id == 20) {
      EXPECT_EQ(app::commandHandler(id), nullptr);
    } else {
      EXPECT_NE(app::commandHandler(id), nullptr) << id;
    }
  }
  setEditorText("kept");
  for (unsigned id : {0u, 20u, 36u, 999u, 0xFFFFFFFFu}) app::dispatchCommand(id);
  EXPECT_EQ(editorText(), "kept");
}

TEST_F(VelloroTest, ToolbarClicksAndShortcutsBecomeCommands) {
  startVelloro();
  setEditorText("abc");
  // A toolbar button sends its command with the toolbar as source.
  SendMessageA(state.mainWindowHandle, WM_COMMAND, MAKEWPARAM(app::Cut, BN_CLICKED),
               reinterpret_cast<LPARAM>(state.toolbar));
  app::dispatchCommand(app::SelectAll);
  SendMessageA(state.mainWindowHandle, WM_COMMAND, MAKEWPARAM(app::Cut, BN_CLICKED),
               reinterpret_cast<LPARAM>(state.toolbar));
  settle();
  EXPECT_EQ(editorText(), "");

  // Ctrl+A reaches Select All through the accelerator table while the main window is active.
  setEditorText("xyz");
  SetActiveWindow(state.mainWindowHandle);
  SetFocus(state.editorHandle);
  PostMessageA(state.editorHandle, WM_KEYDOWN, VK_CONTROL, 0);
  settle();
  MSG message{};
  message.hwnd = state.editorHandle;
  message.message = WM_KEYDOWN;
  message.wParam = 'A';
  ASSERT_EQ(GetActiveWindow(), state.mainWindowHandle);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(TranslateAcceleratorA(state.mainWindowHandle, state.accelerators, &message));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  settle();
  CHARRANGE selection{};
  SendMessageA(state.editorHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  EXPECT_EQ(selection.cpMin, 0);
  EXPECT_GE(selection.cpMax, 3);
}

TEST_F(VelloroTest, TypingGoesPastTheControlsDefaultLimit) {
  startVelloro();
  std::string text;
  for (int i = 0; i < 480; ++i) text += std::string(79, 'x') + "\r\n";
  setEditorText(text);  // 38,400 characters, more than the control's default limit for typing
  SendMessageA(state.editorHandle, EM_SETSEL, -1, -1);
  for (int i = 0; i < 25; ++i) typeIntoEditor(std::string(79, 'y') + "\n");
  EXPECT_GT(GetWindowTextLengthA(state.editorHandle), 40000);
  std::string all = editorText();
  EXPECT_EQ(std::count(all.begin(), all.end(), 'y'), 25 * 79);
}

TEST_F(VelloroTest, CloseBoxEndsTheProgramWithExitCodeZero) {
  startVelloro();
  exitCalls = 0;
  PostMessageA(state.mainWindowHandle, WM_CLOSE, 0, 0);
  settle();
  EXPECT_EQ(exitCalls, 1);
  EXPECT_EQ(lastExitCode, 0u);
  EXPECT_EQ(state.mainWindowHandle, nullptr);
}

TEST_F(VelloroTest, ExitCommandEndsTheProgramWithExitCodeZero) {
  startVelloro();
  exitCalls = 0;
  app::dispatchCommand(app::Exit);
  EXPECT_EQ(exitCalls, 1);
  EXPECT_EQ(lastExitCode, 0u);
}

}  // namespace

namespace {

using namespace gui_test;
using app::state;

// Popup menus are windows of this class while they are tracked.
HWND shownPopupMenu() { return FindWindowA("#32768", nullptr); }

TEST_F(VelloroTest, RightClickShowsTheEditorMenuWhoseItemsIssueCommands) {
  startVelloro();
  setEditorText("abc");
  SendMessageA(state.editorHandle, EM_SETSEL, 0, 3);
  std::atomic<bool> seen{false};
  std::thread chooser([&] {
    for (int i = 0; i < 250 && !seen; ++i) {
      if (HWND menu = shownPopupMenu(); menu != nullptr && IsWindowVisible(menu)) {
        seen = true;
        Sleep(100);
        // Down three times reaches "Ausschneiden" (separators are skipped), then Enter.
        for (int key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
          PostMessageA(menu, WM_KEYDOWN, key, 0);
          Sleep(30);
        }
        return;
      }
      Sleep(20);
    }
  });
  PostMessageA(state.editorHandle, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 10));
  runUntil([&] { return seen && shownPopupMenu() == nullptr; }, 8000);
  chooser.join();
  settle();
  EXPECT_TRUE(seen);
  EXPECT_EQ(editorText(), "");  // the selection was cut through the menu
}

}  // namespace

namespace {

using namespace gui_test;

TEST_F(VelloroTest, SystemLibrariesAreNeverTakenFromTheWorkingFolder) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string planted = folder + "planted.dll";
  ASSERT_TRUE(CopyFileA((std::string(system) + "\\msimg32.dll").c_str(), planted.c_str(), FALSE));
  // The copy is a loadable library, and it lies in the current folder, where a plain search looks.
  HMODULE plain = LoadLibraryA(planted.c_str());
  EXPECT_NE(plain, nullptr);
  if (plain != nullptr) FreeLibrary(plain);
  EXPECT_EQ(app::loadSystemLibrary("planted.dll"), nullptr);
  EXPECT_NE(app::loadSystemLibrary("msimg32.dll"), nullptr);
}

}  // namespace
