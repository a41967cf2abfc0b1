#include "editor/search_window.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <algorithm>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "editor/editor_control.h"
#include "editor/search_rules.h"
#include "platform/file_names.h"
#include "platform/program_name.h"
#include "platform/secondary_window.h"

namespace editor {

namespace {

using app::state;

constexpr int clientWidth = 265;
constexpr int clientHeight = 130;
constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU;


// In creation order, which is also the Tab order.
constexpr platform::ControlSpec controls[] = {
    {app::searchCloseButtonId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 166, 100, 90, 22, "Schließen"},
    {app::searchNextButtonId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 9, 100, 90, 22, "Weitersuchen"},
    {app::searchFieldId, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 85, 10, 170, 20, ""},
    {app::searchLabelId, "STATIC", SS_LEFT, 0, 9, 13, 67, 20, "Suchen nach:"},
    {app::searchDirectionGroupId, "BUTTON", BS_GROUPBOX, 0, 9, 40, 247, 50, "Richtung:"},
    {app::searchUpwardOptionId, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 24, 60, 60, 20, "Aufwärts"},
    {app::searchDownwardOptionId, "BUTTON", BS_AUTORADIOBUTTON, 0, 180, 60, 60, 20, "Abwärts"},
};

HWND control(int id) { return GetDlgItem(state.searchWindow, id); }

// The field's text in UTF-8, as `searchText` keeps it; the field, as every control of the small
// windows, is a Unicode window and takes any character, as the text does.
std::string fieldText() { return platform::windowText(control(app::searchFieldId)); }

bool upwardSelected() { return SendMessageA(control(app::searchUpwardOptionId), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Closes window 2 and its shortcut table without remembering anything.
void destroySearchWindow() {
  if (state.searchAccelerators != nullptr) {
    DestroyAcceleratorTable(state.searchAccelerators);
    state.searchAccelerators = nullptr;
  }
  if (state.searchWindow != nullptr) {
    HWND window = state.searchWindow;
    state.searchWindow = nullptr;
    DestroyWindow(window);
  }
}

HWND createSearchWindow() {
  return platform::createCentredWindow(platform::dialogTitle("Suchen"), windowStyle, clientWidth, clientHeight);
}


HACCEL createSearchAccelerators() {
  ACCEL findNext{FVIRTKEY, VK_F3, app::FindNext};
  return CreateAcceleratorTableA(&findNext, 1);
}

}  // namespace

void openSearchWindow() {
  destroySearchWindow();

  HWND window = createSearchWindow();
  if (window == nullptr) return;
  state.searchWindow = window;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  platform::createControls(window, controls);

  CheckRadioButton(window, app::searchUpwardOptionId, app::searchDownwardOptionId, app::searchDownwardOptionId);
  platform::setWindowText(control(app::searchFieldId), state.searchText);
  ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(control(app::searchFieldId));
  state.searchAccelerators = createSearchAccelerators();
}

void closeSearchWindow() {
  if (state.searchWindow == nullptr) return;
  state.searchText = fieldText();
  state.searchUpward = upwardSelected() ? 1 : 0;
  destroySearchWindow();
}

void searchFromWindow() {
  if (state.searchWindow == nullptr) return;
  findInEditor(fieldText(), !upwardSelected());
  SetFocus(control(app::searchFieldId));
}

void findNext() {
  FindNextPlan plan = planFindNext(state.searchText, state.searchUpward);
  if (plan.openWindowFirst) openSearchWindow();
  findInEditor(state.searchText, plan.downward);
}

void findInEditor(const std::string& text, bool downward) {
  CHARRANGE selection{0, 0};
  SendMessageA(state.editorHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SearchRange range = searchRange(selection.cpMin, selection.cpMax, downward);

  const std::wstring searched = platform::wideFromUtf8(text);
  FINDTEXTEXW query{};
  query.chrg.cpMin = range.from;
  query.chrg.cpMax = range.to;
  query.lpstrText = searched.c_str();
  LRESULT found =
      SendMessageW(state.editorHandle, EM_FINDTEXTEXW, downward ? FR_DOWN : 0, reinterpret_cast<LPARAM>(&query));
  if (found == -1) return;
  selectRange(query.chrgText.cpMin, query.chrgText.cpMax);
}

}  // namespace editor
