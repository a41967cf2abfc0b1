#pragma once
// Accelerator tables built from the program's shortcut list.
#include <windows.h>

#include <vector>

#include "app/accelerator_keys.h"

namespace app {

HACCEL createAcceleratorTable(const std::vector<AcceleratorEntry>& entries);

// Replaces every shortcut of the main window with the program's eleven.
void installMainWindowShortcuts();

}  // namespace app
