// Start-up, the text control and the event loop, checked on the real windows.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <array>
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

using Box = std::array<LONG, 4>;

// Left, top, width and height of the text control in the main window.
Box editorBox() {
  RECT rect;
  GetWindowRect(state.editorHandle, &rect);
  MapWindowPoints(nullptr, state.mainWindowHandle, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The built-in size is the inner size, menu bar included; the window is centred as if it were
// 626 high.
TEST_F(VelloroTest, StartsUntitledCentredWithTheFocusInTheEditorWhoseFontTypedTextTakes) {
  startVelloro();
  EXPECT_TRUE(state.currentPath.empty());
  RECT client, frame;
  GetClientRect(state.mainWindowHandle, &client);
  GetWindowRect(state.mainWindowHandle, &frame);
  EXPECT_EQ(client.right, 740);
  EXPECT_EQ(client.bottom + GetSystemMetrics(SM_CYMENU), 600);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 740) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 626) / 2);
  EXPECT_EQ(GetFocus(), state.editorHandle);
  EXPECT_FALSE(editor::readModifiedFlag());

  typeIntoEditor("typed");
  app::dispatchCommand(app::SelectAll);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(state.editorHandle, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(std::pair(std::string(format.szFaceName), format.yHeight), std::pair(std::string("Courier"), 165L));
}

TEST_F(VelloroTest, EditorHasNoSizeBeforeTheFirstSizeEventThenFollowsTheWindowButNotAMinimise) {
  app::setProcessExit([](unsigned) {});
  app::startUp(GetModuleHandleA(nullptr), "velloro.exe");
  EXPECT_EQ(editorBox(), Box({5, 28, 0, 0}));
  for (SIZE size : {SIZE{0, 0}, SIZE{500, 420}, SIZE{900, 700}}) {
    if (size.cx != 0) SetWindowPos(state.mainWindowHandle, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    settle();
    RECT client;
    GetClientRect(state.mainWindowHandle, &client);
    EXPECT_EQ(editorBox(), Box({4, 28, client.right - 8, client.bottom + GetSystemMetrics(SM_CYMENU) - 71}))
        << size.cx;
  }

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
  std::string text;
  for (int line = 1; line <= 6; ++line) text += "line " + std::to_string(line) + " ....\r\n";
  setEditorText(text);  // every line has 11 characters
  struct Case {
    long line, column, expectedLine, expectedColumn;
  } cases[] = {
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
  EXPECT_EQ(selection().cpMin, 0);
  EXPECT_GE(selection().cpMax, 11);  // the control may count its final paragraph mark too
  const char* twice = "hello worldhello world";
  struct Step {
    app::CommandId command;
    bool selectFirstEleven;
    const char* after;
  } steps[] = {{app::Copy, true, "hello world"}, {app::Delete, false, ""},         {app::Paste, false, "hello world"},
               {app::Paste, false, twice},       {app::Undo, false, "hello world"}, {app::Redo, false, twice},
               {app::Cut, true, "hello world"},  {app::Paste, false, twice}};
  for (const Step& step : steps) {
    if (step.selectFirstEleven) select(0, 11);
    app::dispatchCommand(step.command);
    EXPECT_EQ(editorText(), step.after) << step.command;
  }
  EXPECT_EQ(GetFocus(), focusBefore);
}

TEST_F(VelloroTest, EveryCommandNumberHasItsHandlerAndOthersDoNothing) {
  startVelloro();
  for (unsigned id = app::firstCommandId; id <= app::lastCommandId; ++id) {
    if (id != 20) EXPECT_NE(app::commandHandler(id), nullptr) << id;
  }
  setEditorText("kept");
  for (unsigned id : {0u, 20u, 36u, 999u, 0xFFFFFFFFu}) app::dispatchCommand(id);
  EXPECT_EQ(editorText(), "kept");
}

TEST_F(VelloroTest, ToolbarClicksShortcutsAndMenuItemsBecomeCommands) {
  startVelloro();
  struct Route {
    const char* name;
    WORD code;
    HWND source;
  } routes[] = {{"toolbar", BN_CLICKED, state.toolbar}, {"shortcut", 1, nullptr}, {"menu", 0, nullptr}};
  for (const Route& route : routes) {
    setEditorText("abc");
    select(0, 3);
    SendMessageA(state.mainWindowHandle, WM_COMMAND, MAKEWPARAM(app::Cut, route.code),
                 reinterpret_cast<LPARAM>(route.source));
    settle();
    EXPECT_EQ(editorText(), "") << route.name;
  }
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
