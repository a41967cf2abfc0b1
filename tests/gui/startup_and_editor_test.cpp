// The text control's commands, the insert commands and the system libraries on the real windows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "platform/system_library.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// In client coordinates of the main window.
RECT placeOf(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, state.mainWindowHandle, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// With the common controls of version 6 as with the old ones: the toolbar shows its buttons whole
// above the text, which begins at (4, 28); the status bar lies below the text with its fields
// ending at 70 and 159.
TEST_F(VelloroTest, ToolbarTextAndStatusBarKeepTheirPlaces) {
  // The test program carries the program's manifest: comctl32 comes from the version-6 assembly.
  ACTCTX_SECTION_KEYED_DATA redirection{};
  redirection.cbSize = sizeof redirection;
  ASSERT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                       &redirection));
  startVelloro();
  const RECT toolbar = placeOf(state.toolbar);
  const RECT editor = placeOf(state.editorHandle);
  const RECT status = placeOf(state.statusBar);
  RECT button{};
  SendMessageA(state.toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  EXPECT_EQ(toolbar.top, 0);
  EXPECT_LE(toolbar.top + button.bottom, 28) << "the text covers the buttons";
  EXPECT_GE(button.bottom - button.top, 22) << "the buttons are cut";
  EXPECT_EQ(editor.left, 4);
  EXPECT_EQ(editor.top, 28);
  EXPECT_LE(editor.bottom, status.top) << "the status bar covers the text";
  int edges[2] = {};
  ASSERT_GE(SendMessageA(state.statusBar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 70);
  EXPECT_EQ(edges[1], 159);
}

// Typed text goes past the control's default limit of 32,767 characters instead of being dropped.
TEST_F(VelloroTest, TypingGoesPastTheControlsDefaultLimit) {
  startVelloro();
  std::string text;
  for (int i = 0; i < 480; ++i) text += std::string(79, 'x') + "\r\n";
  setEditorText(text);
  select(-1, -1);
  for (int i = 0; i < 25; ++i) typeIntoEditor(std::string(79, 'y') + "\n");
  const std::string all = editorText();
  EXPECT_EQ(std::count(all.begin(), all.end(), 'y'), 25 * 79);
}

// Through the dispatch, as menus, toolbar and shortcuts send them.
TEST_F(VelloroTest, EditCommandsActOnTheControlWithoutMovingTheFocus) {
  startVelloro();
  setEditorText("hello world");
  SetFocus(state.statusBar);
  select(0, 11);
  for (const auto& [command, after] : {std::pair(app::Cut, ""), {app::Paste, "hello world"},
                                       {app::Paste, "hello worldhello world"}, {app::Undo, "hello world"}}) {
    app::dispatchCommand(command);
    EXPECT_EQ(editorText(), after) << command;
  }
  EXPECT_EQ(GetFocus(), state.statusBar);
}

// The date replaces the selection with the caret after it, and stays after Undo.
TEST_F(VelloroTest, InsertedDateReplacesTheSelection) {
  startVelloro();
  setEditorText("abcXYZdef");
  select(3, 6);
  SYSTEMTIME now;
  GetLocalTime(&now);
  app::dispatchCommand(app::InsertDate);
  char expected[32];
  std::snprintf(expected, sizeof expected, "abc%02u.%02u.%04udef", now.wDay, now.wMonth, now.wYear);
  EXPECT_EQ(selection().cpMin, 13);
  SendMessageA(state.editorHandle, EM_UNDO, 0, 0);
  EXPECT_EQ(editorText(), expected) << "unless run over midnight";
}

TEST_F(VelloroTest, SystemLibrariesAreNeverTakenFromTheWorkingFolder) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  // A loadable library in the current folder, where a plain search looks first.
  ASSERT_TRUE(CopyFileA((std::string(system) + "\\msimg32.dll").c_str(), (folder + "planted.dll").c_str(), FALSE));
  EXPECT_EQ(platform::loadSystemLibrary("planted.dll"), nullptr);
  EXPECT_NE(platform::loadSystemLibrary("msimg32.dll"), nullptr);
}

}  // namespace
