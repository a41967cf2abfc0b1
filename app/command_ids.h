#pragma once
// The one list of command numbers, shared by the menus, the toolbar and the keyboard shortcuts.

namespace app {

enum CommandId : unsigned {
  New = 1,
  Open = 2,
  Save = 3,
  SaveAs = 4,
  Print = 5,
  Close = 6,
  Exit = 7,
  Undo = 8,
  Redo = 9,
  Cut = 10,
  Copy = 11,
  Paste = 12,
  SelectAll = 13,
  GoToLine = 14,
  WordWrap = 15,
  InsertDate = 16,
  InsertTime = 17,
  InsertTimeSeconds = 18,
  InsertRgbColour = 19,
  // 20 names no command.
  Calculator = 21,
  CharacterMap = 22,
  SettingsNote = 23,
  About = 24,
  Delete = 25,
  RestoreSettings = 26,
  Transparency = 27,
  MinimizeToTray = 28,
  AlwaysOnTop = 29,
  InsertHtmlSkeleton = 30,
  RestoreFromTray = 31,
  SaveSettings = 32,
  Rename = 33,
  Find = 34,
  FindNext = 35,
};

constexpr unsigned firstCommandId = 1;
constexpr unsigned lastCommandId = 35;

}  // namespace app
