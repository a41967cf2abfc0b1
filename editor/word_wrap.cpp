#include "editor/word_wrap.h"

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/menus.h"
#include "app/modal_windows.h"
#include "document/titles.h"
#include "editor/editor_control.h"

namespace editor {

namespace {

constexpr char refusalText[] =
    "Bei aktivierter Zeilennummerierung und geöffneter Datei ist es nicht möglich den Zeilenumbruch zu "
    "aktivieren.\nSchließen sie ihre aktuelle geöffnete Datei und probieren Sie es noch einmal!";

}  // namespace

void toggleWordWrap() {
  bool wrapping = app::isMenuItemChecked(app::WordWrap);
  if (!app::state.currentPath.empty() && !wrapping) {
    // The gutter numbers display lines, so with wrapping its numbers would not be the file's lines.
    std::string title = document::dialogTitle("Zeilenumbruch");
    app::showMessageBox(refusalText, title.c_str(), MB_OK);
    return;
  }
  setWordWrap(!wrapping);
  app::setMenuItemChecked(app::WordWrap, !wrapping);
}

}  // namespace editor
