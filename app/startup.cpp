#include "app/startup.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/event_loop.h"
#include "app/keyboard_shortcuts.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/status_bar.h"
#include "app/system_library.h"
#include "app/toolbar.h"
#include "app/window_modes.h"
#include "document/document_commands.h"
#include "document/document_paths.h"
#include "document/document_state.h"
#include "document/titles.h"
#include "editor/editor_control.h"
#include "settings/settings.h"

namespace app {

namespace {

void exitProcess(unsigned exitCode) { ExitProcess(exitCode); }
ProcessExit processExit = exitProcess;

void setConstants() {
  state.versionText = std::string(document::versionText);
  state.editorFontName = "Courier";
  state.transparencyLevel = 85;
  state.gutterDigits = 1;
  state.lineCountDigits = 1;
  state.gutterNumberColour = RGB(153, 153, 204);
  state.gutterBackColour = RGB(244, 244, 244);
  state.gutterLineColour = RGB(255, 255, 255);
}

void checkStartupMarks(const settings::StartupMarks& marks) {
  if (marks.wordWrap) setMenuItemChecked(WordWrap, true);
  if (marks.transparency) setMenuItemChecked(Transparency, true);
  if (marks.minimizeToTray) setMenuItemChecked(MinimizeToTray, true);
  if (marks.alwaysOnTop) setMenuItemChecked(AlwaysOnTop, true);
}

}  // namespace

void setProcessExit(ProcessExit exit) { processExit = exit; }

void startUp(HINSTANCE instance, const char* commandLine) {
  hardenDllSearch();
  state = AppState{};
  state.instance = instance;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  setConstants();

  createMainWindow(document::mainTitle("", false).c_str());
  editor::createEditorControl(state.mainWindowHandle);

  settings::StartupMarks marks = settings::loadSettings();
  editor::clearModifiedFlag();
  SetFocus(state.editorHandle);

  buildMenus(state.mainWindowHandle);
  checkStartupMarks(marks);
  installWindowCallback();
  installMainWindowShortcuts();
  createStatusBar(state.mainWindowHandle);
  document::showEncodingStatus();
  createToolbar(state.mainWindowHandle);
  acceptDroppedFiles();

  // A parameter that names no file (a folder, a wildcard, a stream) is not kept either: the document
  // is untitled, so saving must ask for a name rather than write to the refused one.
  std::string parameter = firstCommandLineParameter(commandLine != nullptr ? commandLine : "");
  if (!parameter.empty() && document::isValidFileName(document::filePart(parameter))) {
    state.currentPath = std::move(parameter);
    document::openCommandLineFile();
  }
}

void exitSequence() {
  removeTrayIcon();
  discardQueuedEvents();
  if (state.mainWindowHandle != nullptr) DestroyWindow(state.mainWindowHandle);  // children and owned windows too
  for (HMENU menu : {state.trayMenu, state.editorMenu}) {
    if (menu != nullptr) DestroyMenu(menu);
  }
  if (state.gutterFont != nullptr) DeleteObject(state.gutterFont);
  for (HACCEL table : {state.accelerators, state.searchAccelerators}) {
    if (table != nullptr) DestroyAcceleratorTable(table);
  }
  state = AppState{};
  processExit(0);
}

}  // namespace app
