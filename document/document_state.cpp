#include "document/document_state.h"

#include <windows.h>

#include "app/app_state.h"
#include "document/shell_calls.h"
#include "document/text_encoding.h"
#include "document/titles.h"
#include "editor/editor_control.h"
#include "platform/file_names.h"

namespace document {

using app::state;

namespace {

// Every save sets the title again; setting an unchanged one still redraws the caption, about a
// millisecond under Wine.
void showTitle(const std::string& title) {
  if (platform::windowText(state.mainWindowHandle) == title) return;
  platform::setWindowText(state.mainWindowHandle, title);
}

}  // namespace

void showDocumentTitle(bool marked) { showTitle(mainTitle(state.currentPath, marked)); }

void showUntitledTitle() { showTitle(mainTitle("", false)); }

void setDocumentStatus(const std::string& text) { shellCalls().setStatus(text); }

void showEncodingStatus() { shellCalls().setEncodingStatus("\t\t" + encodingStatusText(state.encoding, state.lineEnds)); }

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
