#include "editor/search_window.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <span>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "editor/editor_control.h"
#include "editor/search_rules.h"
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

// The field, third in the table, is a Unicode window: it takes any character, as the text does.
constexpr std::size_t fieldRow = 2;
static_assert(controls[fieldRow].id == app::searchFieldId);

HWND control(int id) { return GetDlgItem(state.searchWindow, id); }

std::wstring wide(const std::string& utf8) {
  std::wstring text(utf8.size(), L'\0');
  text.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string utf8(const std::wstring& text) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                            bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

void createField(HWND window) {
  const platform::ControlSpec& spec = controls[fieldRow];
  HWND field = CreateWindowExW(spec.exStyle, L"EDIT", L"", WS_CHILD | WS_VISIBLE | spec.style, spec.x, spec.y, spec.width,
                               spec.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                               state.instance, nullptr);
  if (field != nullptr) SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

// The field's text in UTF-8, as `searchText` keeps it.
std::string fieldText() {
  HWND field = control(app::searchFieldId);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(field, text.data(), static_cast<int>(text.size())), 0)));
  return utf8(text);
}

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
  platform::createControls(window, std::span(controls).first(fieldRow));
  createField(window);
  platform::createControls(window, std::span(controls).subspan(fieldRow + 1));

  CheckRadioButton(window, app::searchUpwardOptionId, app::searchDownwardOptionId, app::searchDownwardOptionId);
  SetWindowTextW(control(app::searchFieldId), wide(state.searchText).c_str());
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

  const std::wstring searched = wide(text);
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
