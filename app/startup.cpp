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
#include "app/toolbar.h"
#include "app/window_modes.h"
#include "document/document_commands.h"
#include "document/document_paths.h"
#include "document/recovery_copy.h"
#include "document/shell_calls.h"
#include "document/document_state.h"
#include "document/titles.h"
#include "editor/editor_control.h"
#include "platform/modal_windows.h"
#include "platform/program_name.h"
#include "platform/secondary_window.h"
#include "platform/system_library.h"
#include "settings/settings.h"

namespace app {

namespace {

void exitProcess(unsigned exitCode) { ExitProcess(exitCode); }
ProcessExit processExit = exitProcess;

void setConstants() {
  state.versionText = std::string(platform::versionText);
  state.editorFontName = "Courier";
  state.transparencyLevel = 85;
  state.gutterDigits = 1;
  state.lineCountDigits = 1;
  state.gutterNumberColour = RGB(153, 153, 204);
  state.gutterBackColour = RGB(244, 244, 244);
  state.gutterLineColour = RGB(255, 255, 255);
}

void checkStartupMarks(const settings::WindowModes& marks) {
  if (marks.wordWrap) setMenuItemChecked(WordWrap, true);
  if (marks.transparency) setMenuItemChecked(Transparency, true);
  if (marks.minimizeToTray) setMenuItemChecked(MinimizeToTray, true);
  if (marks.alwaysOnTop) setMenuItemChecked(AlwaysOnTop, true);
}

void applyStartupWindow(const settings::StartupWindow& window) {
  const settings::Placement& placement = window.placement;
  placeMainWindow(placement.x, placement.y, placement.width, placement.height);
  if (window.maximised) ShowWindow(state.mainWindowHandle, SW_SHOWMAXIMIZED);
  if (window.modes.transparency) setWindowOpacity(state.mainWindowHandle, state.transparencyLevel);
  if (window.modes.alwaysOnTop) platform::makeTopmost(state.mainWindowHandle, true);
}

settings::WindowNow mainWindowNow() {
  const SavedWindowSize size = mainWindowSizeToSave();
  return {size.innerWidth, size.innerHeight, size.maximised,
          {isMenuItemChecked(WordWrap), isMenuItemChecked(Transparency), isMenuItemChecked(MinimizeToTray),
           isMenuItemChecked(AlwaysOnTop)}};
}

// The folders below the shell reach it only through what is registered here.
void registerShellCalls() {
  platform::setProgramWindowsSource(
      [] { return platform::ProgramWindows{state.instance, programWindowClass(), state.mainWindowHandle}; });
  platform::setShellModalCheck([] {
    return state.aboutWindow != nullptr ||
           (state.mainWindowHandle != nullptr && !IsWindowEnabled(state.mainWindowHandle));
  });
  settings::setWindowNowSource(mainWindowNow);
  document::setShellCalls({[](const std::string& text) { setStatusText(1, text); }, [] { return statusText(1); },
                           exitSequence, [](const std::string& text) { setStatusText(2, text); }});
}

}  // namespace

void setProcessExit(ProcessExit exit) { processExit = exit; }

void startUp(HINSTANCE instance, const char* commandLine) {
  platform::hardenDllSearch();
  state = AppState{};
  state.instance = instance;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  setConstants();
  registerShellCalls();

  createMainWindow(document::mainTitle("", false));
  editor::createEditorControl(state.mainWindowHandle);

  const settings::StartupWindow startupWindow = settings::loadSettings();
  applyStartupWindow(startupWindow);
  editor::clearModifiedFlag();
  SetFocus(state.editorHandle);

  buildMenus(state.mainWindowHandle);
  checkStartupMarks(startupWindow.modes);
  installWindowCallback();
  installMainWindowShortcuts();
  createStatusBar(state.mainWindowHandle);
  document::showEncodingStatus();
  createToolbar(state.mainWindowHandle);
  acceptDroppedFiles();

  // A restored text takes the place of the file named on the command line.
  if (document::offerRecoveryCopies()) return;
  // A parameter that names no file (a folder, a wildcard, a stream) is not kept either: the document
  // is untitled, so saving must ask for a name rather than write to the refused one.
  std::string parameter = firstCommandLineParameter(commandLine != nullptr ? commandLine : "");
  if (!parameter.empty() && document::isValidFileName(document::filePart(parameter))) {
    state.currentPath = std::move(parameter);
    // The control gets its size before the text: a size given afterwards lays it all out again.
    layOutEditor();
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
