#pragma once
// The calculator, the character map, the settings note and the About window.

namespace app {

void startCalculator();
void startCharacterMap();
void showSettingsNote();
void showAboutWindow();

}  // namespace app
