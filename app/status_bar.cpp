#include "app/status_bar.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/object_ids.h"
#include "app/status_text.h"
#include "editor/editor_control.h"

namespace app {

namespace {
std::string shownPosition;
}

void createStatusBar(HWND mainWindow) {
  state.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(statusBarId)), state.instance,
                                    nullptr);
  if (state.statusBar == nullptr) return;
  // The third field reaches to the bar's end; its text stands right-aligned there.
  int rightEdges[] = {70, 159, -1};
  SendMessageA(state.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rightEdges));
  shownPosition.clear();
}

void setStatusText(int field, const std::string& text) {
  SendMessageA(state.statusBar, SB_SETTEXTA, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string statusText(int field) {
  auto length = LOWORD(SendMessageA(state.statusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(field), 0));
  std::string text(length + 1u, '\0');
  SendMessageA(state.statusBar, SB_GETTEXTA, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

void refreshCursorPosition() {
  if (state.statusBar == nullptr || state.editorHandle == nullptr) return;
  editor::CursorPosition cursor = editor::cursorPosition();
  std::string position = cursorPositionText(cursor.column, cursor.line);
  if (position == shownPosition) return;
  shownPosition = position;
  setStatusText(0, position);
}

}  // namespace app
