#pragma once
// The flat toolbar with the standard small images and German tooltips.
#include <windows.h>

namespace app {

void createToolbar(HWND mainWindow);

// Tooltip text of a toolbar command, or null when the command has no button.
const char* toolbarTooltip(unsigned commandId);

}  // namespace app
