#include "settings/settings.h"

#include <windows.h>

#include "app/app_state.h"
#include "editor/editor_control.h"
#include "settings/colour_text.h"
#include "settings/default_preferences.h"
#include "settings/preferences_store.h"

namespace settings {

namespace {

using app::state;

WindowNow (*windowNowSource)() = nullptr;

bool flagOn(PreferencesStore& store, std::string_view key) { return store.readNumber(key, 0) == 1; }

COLORREF colourSetting(PreferencesStore& store, std::string_view key, std::string_view fallback) {
  return static_cast<COLORREF>(parseColour(store.readText(key, fallback)));
}

}  // namespace

void setWindowNowSource(WindowNow (*source)()) { windowNowSource = source; }

StartupWindow loadSettings() {
  PreferencesStore& store = preferencesStore();
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  StartupWindow window;
  WindowModes& marks = window.modes;
  if (!store.openForReading(preferencesFileName)) {
    window.placement = placementWithoutFile(screenWidth, screenHeight);
    return window;
  }

  store.selectGroup(programGroup);
  window.placement = placementFromFile(store.readNumber(winWidthKey, defaultWinWidth),
                                       store.readNumber(winHeightKey, defaultWinHeight), screenWidth, screenHeight);
  window.maximised = flagOn(store, winMaximizedKey);

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
  marks.transparency = flagOn(store, transparencyKey);
  marks.minimizeToTray = flagOn(store, minimizeInTrayKey);
  marks.alwaysOnTop = flagOn(store, alwaysInForeGroundKey);
  store.closeStore();
  return window;
}

void saveSettings() {
  PreferencesStore& store = preferencesStore();
  if (!store.openForReading(preferencesFileName)) return;

  const WindowNow now = windowNowSource != nullptr ? windowNowSource() : WindowNow{};
  store.selectGroup(programGroup);
  if (flagOn(store, saveWinSizeKey)) {
    store.writeNumber(winWidthKey, now.innerWidth);
    store.writeNumber(winHeightKey, now.innerHeight);
    store.writeNumber(winMaximizedKey, now.maximised ? 1 : 0);
  }

  store.selectGroup(extrasGroup);
  store.writeNumber(wordWrapKey, now.modes.wordWrap ? 1 : 0);
  store.writeNumber(transparencyKey, now.modes.transparency ? 1 : 0);
  store.writeNumber(minimizeInTrayKey, now.modes.minimizeToTray ? 1 : 0);
  store.writeNumber(alwaysInForeGroundKey, now.modes.alwaysOnTop ? 1 : 0);
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
