#include "settings/settings.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/window_modes.h"
#include "editor/editor_control.h"
#include "settings/colour_text.h"
#include "settings/default_preferences.h"
#include "settings/preferences_store.h"
#include "settings/window_placement.h"

namespace settings {

namespace {

using app::state;

void place(const Placement& placement) {
  app::placeMainWindow(placement.x, placement.y, placement.width, placement.height);
}

bool flagOn(PreferencesStore& store, std::string_view key) { return store.readNumber(key, 0) == 1; }

COLORREF colourSetting(PreferencesStore& store, std::string_view key, std::string_view fallback) {
  return static_cast<COLORREF>(parseColour(store.readText(key, fallback)));
}

struct WindowSize {
  int innerWidth = 0;
  int innerHeight = 0;  // one menu-bar line included
  bool maximised = false;
};

// A minimised window, on the task bar or in the notification area, has no client area to measure;
// it is saved with its normal (not maximised) size, and as maximised when it comes back maximised.
WindowSize windowSizeToSave() {
  HWND window = state.mainWindowHandle;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (IsIconic(window) && GetWindowPlacement(window, &placement)) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, app::mainWindowStyle, FALSE, app::mainWindowExStyle);
    const RECT& normal = placement.rcNormalPosition;
    return {(normal.right - normal.left) - (frame.right - frame.left),
            (normal.bottom - normal.top) - (frame.bottom - frame.top),
            (placement.flags & WPF_RESTORETOMAXIMIZED) != 0};
  }
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom + GetSystemMetrics(SM_CYMENU), IsZoomed(window) != FALSE};
}

}  // namespace

StartupMarks loadSettings() {
  PreferencesStore& store = preferencesStore();
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  StartupMarks marks;
  if (!store.openForReading(preferencesFileName)) {
    place(placementWithoutFile(screenWidth, screenHeight));
    return marks;
  }

  store.selectGroup(programGroup);
  place(placementFromFile(store.readNumber(winWidthKey, defaultWinWidth), store.readNumber(winHeightKey, defaultWinHeight),
                          screenWidth, screenHeight));
  if (flagOn(store, winMaximizedKey)) ShowWindow(state.mainWindowHandle, SW_SHOWMAXIMIZED);

  store.selectGroup(styleGroup);
  editor::setEditorTextColour(colourSetting(store, editorFontColourKey, defaultEditorFontColour));
  editor::setEditorBackColour(colourSetting(store, editorBackKey, defaultEditorBack));
  state.gutterNumberColour = colourSetting(store, lineNumbersKey, defaultLineNumbers);
  state.gutterBackColour = colourSetting(store, lineNumbersBackKey, defaultLineNumbersBack);
  state.gutterLineColour = colourSetting(store, lineNumbersLineKey, defaultLineNumbersLine);

  store.selectGroup(extrasGroup);
  if (flagOn(store, wordWrapKey)) {
    editor::setWordWrap(true);
    marks.wordWrap = true;
  }
  state.transparencyLevel = store.readNumber(transparencyLevelKey, defaultTransparencyLevel);
  if (flagOn(store, transparencyKey)) {
    app::setWindowOpacity(state.mainWindowHandle, state.transparencyLevel);
    marks.transparency = true;
  }
  marks.minimizeToTray = flagOn(store, minimizeInTrayKey);
  if (flagOn(store, alwaysInForeGroundKey)) {
    app::makeTopmost(state.mainWindowHandle, true);
    marks.alwaysOnTop = true;
  }
  store.closeStore();
  return marks;
}

void saveSettings() {
  PreferencesStore& store = preferencesStore();
  if (!store.openForReading(preferencesFileName)) return;

  store.selectGroup(programGroup);
  if (flagOn(store, saveWinSizeKey)) {
    const WindowSize size = windowSizeToSave();
    store.writeNumber(winWidthKey, size.innerWidth);
    store.writeNumber(winHeightKey, size.innerHeight);
    store.writeNumber(winMaximizedKey, size.maximised ? 1 : 0);
  }

  store.selectGroup(extrasGroup);
  store.writeNumber(wordWrapKey, app::isMenuItemChecked(app::WordWrap) ? 1 : 0);
  store.writeNumber(transparencyKey, app::isMenuItemChecked(app::Transparency) ? 1 : 0);
  store.writeNumber(minimizeInTrayKey, app::isMenuItemChecked(app::MinimizeToTray) ? 1 : 0);
  store.writeNumber(alwaysInForeGroundKey, app::isMenuItemChecked(app::AlwaysOnTop) ? 1 : 0);
  store.closeStore();
}

void restoreDefaultSettings() {
  PreferencesStore& store = preferencesStore();
  if (!store.createForWriting(preferencesFileName)) return;
  writeDefaultPreferences(store.model());
  store.closeStore();
}

void saveSettingsAtExit() {
  PreferencesStore& store = preferencesStore();
  if (!store.openForReading(preferencesFileName)) return;
  store.selectGroup(programGroup);
  // saveSettings opens the file anew, which closes this unchanged store first.
  if (flagOn(store, savePrefAtEndKey)) saveSettings();
  store.closeStore();
}

}  // namespace settings
