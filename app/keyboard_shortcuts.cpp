#include "app/keyboard_shortcuts.h"

#include "app/app_state.h"

namespace app {

HACCEL createAcceleratorTable(const std::vector<AcceleratorEntry>& entries) {
  std::vector<ACCEL> table;
  table.reserve(entries.size());
  for (const AcceleratorEntry& entry : entries) table.push_back(ACCEL{entry.flags, entry.key, entry.command});
  return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

void installMainWindowShortcuts() {
  if (state.accelerators != nullptr) DestroyAcceleratorTable(state.accelerators);
  state.accelerators = createAcceleratorTable(mainWindowShortcuts());
}

}  // namespace app
