#include "app/small_tools.h"

namespace app {

void startCalculator() {}
void startCharacterMap() {}
void showSettingsNote() {}
void showAboutWindow() {}

}  // namespace app
