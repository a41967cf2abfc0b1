#include "document/rename_window.h"

#include <windows.h>

#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/object_ids.h"
#include "document/document_rules.h"
#include "document/document_state.h"
#include "document/file_dialogs.h"
#include "document/titles.h"
#include "platform/file_names.h"
#include "platform/secondary_window.h"

namespace document {

namespace {

using app::state;

constexpr std::string_view renamePurpose = "Umbenennen / Verschieben";
constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU;
constexpr int clientWidth = 290;
constexpr int clientHeight = 88;

// In the order of creation, which is also the order Tab moves through them.
constexpr platform::ControlSpec controls[] = {
    {app::renameCancelButtonId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 192, 58, 90, 22, "Abbrechen"},
    {app::renameOkButtonId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 8, 58, 90, 22, "OK"},
    {app::renamePathFieldId, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 9, 30, 272, 20, ""},
    {app::renameLabelId, "STATIC", 0, 0, 9, 10, 200, 20, "Geben Sie bitte den kompletten Pfad an:"},
};

HWND pathField() { return GetDlgItem(state.renameWindow, app::renamePathFieldId); }

bool fileExists(const std::string& path) {
  return !path.empty() && platform::fileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void openRenameWindow() {
  closeRenameWindow();
  state.renameWindow =
      platform::createCentredWindow(dialogTitle(renamePurpose), windowStyle, clientWidth, clientHeight);
  if (state.renameWindow == nullptr) return;
  platform::makeTopmost(state.renameWindow, true);
  platform::createControls(state.renameWindow, controls);
  platform::setWindowText(pathField(), state.currentPath);
  ShowWindow(state.renameWindow, SW_SHOW);
  SetFocus(pathField());
}

void confirmRename() {
  if (state.renameWindow == nullptr) return;
  const std::string newPath = platform::windowText(pathField());
  switch (renameStep(state.currentPath, newPath, fileExists(state.currentPath))) {
    case RenameStep::Refuse: showFailure(renamePurpose, pathTooLongMessage(newPath)); return;
    case RenameStep::MoveFile:
      if (!platform::moveFile(state.currentPath, newPath)) {
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
