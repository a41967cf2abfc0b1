#pragma once
// What every message box and common dialog of the program shares: its owner, and the program's
// other windows disabled while it is open.
#include <windows.h>

#include <vector>

namespace platform {

// The foreground window when it belongs to this process, else a visible window of the program that
// stays on top of others (always on top, the Find window), else none.
HWND dialogOwner();

// Disables every visible, enabled top-level window of this thread for its lifetime and enables
// them again at the end.
class DisabledProgramWindows {
 public:
  DisabledProgramWindows();
  ~DisabledProgramWindows();
  DisabledProgramWindows(const DisabledProgramWindows&) = delete;
  DisabledProgramWindows& operator=(const DisabledProgramWindows&) = delete;

 private:
  std::vector<HWND> disabled_;
};

// The shell tells whether one of its own windows keeps the program modal: its About window, or a
// main window that a system dialog has disabled.
void setShellModalCheck(bool (*check)());

// A message box, common dialog, input window or the About window of the program is open.
bool modalWindowOpen();

// MessageBoxA with the owner and disabling rules above.
int showMessageBox(const char* text, const char* title, UINT type);

}  // namespace platform
