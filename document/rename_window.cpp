#include "document/rename_window.h"

#include <windows.h>

#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/object_ids.h"
#include "app/window_modes.h"
#include "document/document_rules.h"
#include "document/document_state.h"
#include "document/file_dialogs.h"
#include "document/titles.h"

namespace document {

namespace {

using app::state;

constexpr std::string_view renamePurpose = "Umbenennen / Verschieben";
constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU;
constexpr int clientWidth = 290;
constexpr int clientHeight = 88;

struct ControlSpec {
  int id;
  const char* className;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;
};

// In the order of creation, which is also the order Tab moves through them.
constexpr ControlSpec controls[] = {
    {app::renameCancelButtonId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 192, 58, 90, 22},
    {app::renameOkButtonId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 8, 58, 90, 22},
    {app::renamePathFieldId, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 9, 30, 272, 20},
    {app::renameLabelId, "STATIC", 0, 0, 9, 10, 200, 20},
};

std::string controlText(int id) {
  switch (id) {
    case app::renameCancelButtonId: return "Abbrechen";
    case app::renameOkButtonId: return "OK";
    case app::renamePathFieldId: return state.currentPath;
    default: return "Geben Sie bitte den kompletten Pfad an:";
  }
}

void createControl(const ControlSpec& spec) {
  HWND control =
      CreateWindowExA(spec.exStyle, spec.className, controlText(spec.id).c_str(), WS_CHILD | WS_VISIBLE | spec.style,
                      spec.x, spec.y, spec.width, spec.height, state.renameWindow,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), state.instance, nullptr);
  if (control != nullptr)
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

std::string fieldText() {
  HWND field = GetDlgItem(state.renameWindow, app::renamePathFieldId);
  const int length = GetWindowTextLengthA(field);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(field, text.data(), length + 1)));
  return text;
}

bool fileExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void openRenameWindow() {
  closeRenameWindow();
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, windowStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  // Owned by the main window, so that it goes when the main window goes.
  state.renameWindow = CreateWindowExA(0, app::programWindowClass(), dialogTitle(renamePurpose).c_str(), windowStyle, x,
                                       y, width, height, state.mainWindowHandle, nullptr, state.instance, nullptr);
  if (state.renameWindow == nullptr) return;
  app::makeTopmost(state.renameWindow, true);
  for (const ControlSpec& spec : controls) createControl(spec);
  ShowWindow(state.renameWindow, SW_SHOW);
  SetFocus(GetDlgItem(state.renameWindow, app::renamePathFieldId));
}

void confirmRename() {
  if (state.renameWindow == nullptr) return;
  const std::string newPath = fieldText();
  switch (renameStep(state.currentPath, newPath, fileExists(state.currentPath))) {
    case RenameStep::Refuse: showFailure(renamePurpose, pathTooLongMessage(newPath)); return;
    case RenameStep::MoveFile:
      if (!MoveFileA(state.currentPath.c_str(), newPath.c_str())) {
        // The window stays open so that the path can be corrected.
        const DWORD error = GetLastError();
        showFailure(renamePurpose, renameFailedMessage(state.currentPath, newPath, systemReason(error)));
        return;
      }
      break;
    case RenameStep::SetPath: break;
  }
  state.currentPath = newPath;
  if (state.currentPath.empty()) {
    showUntitledTitle();
  } else {
    showDocumentTitle(state.modifiedMarked != 0);
  }
  closeRenameWindow();
}

void closeRenameWindow() {
  if (state.renameWindow == nullptr) return;
  DestroyWindow(std::exchange(state.renameWindow, nullptr));
}

}  // namespace document
