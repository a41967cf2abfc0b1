#pragma once
// The groups, keys and default values of Preferences.pref, and the file they make up.
#include <cstdint>
#include <string_view>

#include "settings/preferences_model.h"

namespace settings {

inline constexpr std::string_view preferencesFileName = "Preferences.pref";

inline constexpr std::string_view programGroup = "Program";
inline constexpr std::string_view winWidthKey = "Win_Width";
inline constexpr std::string_view winHeightKey = "Win_Height";
inline constexpr std::string_view winMaximizedKey = "Win_Maximized";
inline constexpr std::string_view saveWinSizeKey = "Save Win_Size";
inline constexpr std::string_view savePrefAtEndKey = "Save Pref. at the End";

inline constexpr std::string_view styleGroup = "Style";
inline constexpr std::string_view editorFontColourKey = "Editor_FontColor";
inline constexpr std::string_view editorBackKey = "Editor_Back";
inline constexpr std::string_view lineNumbersKey = "LineNumbers";
inline constexpr std::string_view lineNumbersBackKey = "LineNumbers_Back";
inline constexpr std::string_view lineNumbersLineKey = "LineNumbers_Line";

inline constexpr std::string_view extrasGroup = "Extras";
inline constexpr std::string_view wordWrapKey = "WordWrap";
inline constexpr std::string_view transparencyKey = "Transparency";
inline constexpr std::string_view transparencyLevelKey = "TransparencyLevel";
inline constexpr std::string_view minimizeInTrayKey = "Minimize in Tray";
inline constexpr std::string_view alwaysInForeGroundKey = "Always in Fore-Ground";

inline constexpr std::int32_t defaultWinWidth = 740;
inline constexpr std::int32_t defaultWinHeight = 600;
inline constexpr std::int32_t defaultTransparencyLevel = 85;
inline constexpr std::string_view defaultEditorFontColour = "80,80,80";
inline constexpr std::string_view defaultEditorBack = "234,234,234";
inline constexpr std::string_view defaultLineNumbers = "153,153,204";
inline constexpr std::string_view defaultLineNumbersBack = "244,244,244";
inline constexpr std::string_view defaultLineNumbersLine = "255,255,255";

// Writes the whole default file into a model, normally the empty one of a newly created file:
// the heading comments, then every group with its keys at their defaults, each group closed by
// an empty comment.
void writeDefaultPreferences(PreferencesModel& model);

}  // namespace settings
