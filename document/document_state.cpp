#include "document/document_state.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/status_bar.h"
#include "document/titles.h"
#include "editor/editor_control.h"

namespace document {

using app::state;

void showDocumentTitle(bool marked) {
  SetWindowTextA(state.mainWindowHandle, mainTitle(state.currentPath, marked).c_str());
}

void showUntitledTitle() { SetWindowTextA(state.mainWindowHandle, mainTitle("", false).c_str()); }

void setDocumentStatus(const std::string& text) { app::setStatusText(1, text); }

void markClean() {
  editor::clearModifiedFlag();
  state.modifiedMarked = 0;
}

void checkModified() {
  if (!editor::readModifiedFlag() || state.modifiedMarked != 0) return;
  setDocumentStatus(" Ungespeichert");
  state.modifiedMarked = 1;
  if (!state.currentPath.empty()) showDocumentTitle(true);
}

}  // namespace document
