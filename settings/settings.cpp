#include "settings/settings.h"

#include <windows.h>

#include "app/main_window.h"

namespace settings {

StartupMarks loadSettings() {
  app::placeMainWindow((GetSystemMetrics(SM_CXSCREEN) - 740) / 2, (GetSystemMetrics(SM_CYSCREEN) - 626) / 2, 740,
                       600);
  return {};
}
void saveSettings() {}
void restoreDefaultSettings() {}
void saveSettingsAtExit() {}

}  // namespace settings
