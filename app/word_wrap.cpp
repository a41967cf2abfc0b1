#include "app/word_wrap.h"

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/menus.h"
#include "editor/editor_control.h"
#include "platform/modal_windows.h"
#include "platform/program_name.h"

namespace app {

namespace {

constexpr char refusalText[] =
    "Bei aktivierter Zeilennummerierung und geöffneter Datei ist es nicht möglich den Zeilenumbruch zu "
    "aktivieren.\nSchließen sie ihre aktuelle geöffnete Datei und probieren Sie es noch einmal!";

}  // namespace

void toggleWordWrap() {
  bool wrapping = isMenuItemChecked(WordWrap);
  if (!state.currentPath.empty() && !wrapping) {
    // The gutter numbers display lines, so with wrapping its numbers would not be the file's lines.
    std::string title = platform::dialogTitle("Zeilenumbruch");
    platform::showMessageBox(refusalText, title.c_str(), MB_OK);
    return;
  }
  editor::setWordWrap(!wrapping);
  setMenuItemChecked(WordWrap, !wrapping);
}

}  // namespace app
