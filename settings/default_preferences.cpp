#include "settings/default_preferences.h"

namespace settings {

void writeDefaultPreferences(PreferencesModel& model) {
  model.writeComment("Velloro v2.0  -  Preferences-File");
  model.writeComment("");

  model.selectGroup(programGroup);
  model.writeNumber(winWidthKey, defaultWinWidth);
  model.writeNumber(winHeightKey, defaultWinHeight);
  model.writeNumber(winMaximizedKey, 0);
  model.writeNumber(saveWinSizeKey, 0);
  model.writeNumber(savePrefAtEndKey, 0);
  model.writeComment("");

  model.selectGroup(styleGroup);
  model.writeText(editorFontColourKey, defaultEditorFontColour);
  model.writeText(editorBackKey, defaultEditorBack);
  model.writeText(lineNumbersKey, defaultLineNumbers);
  model.writeText(lineNumbersBackKey, defaultLineNumbersBack);
  model.writeText(lineNumbersLineKey, defaultLineNumbersLine);
  model.writeComment("");

  model.selectGroup(extrasGroup);
  model.writeNumber(wordWrapKey, 0);
  model.writeNumber(transparencyKey, 0);
  model.writeNumber(transparencyLevelKey, defaultTransparencyLevel);
  model.writeNumber(minimizeInTrayKey, 0);
  model.writeNumber(alwaysInForeGroundKey, 0);
  model.writeComment("");
}

}  // namespace settings
