#include "platform/modal_windows.h"

namespace platform {

namespace {

int disablingWindowsOpen = 0;
bool (*shellModalCheck)() = nullptr;

BOOL CALLBACK collectEnabledWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

// Tooltips stay on top as well, but only for a moment; no dialog should belong to one.
BOOL CALLBACK findWindowOnTop(HWND window, LPARAM found) {
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  if (!IsWindowVisible(window) || (exStyle & WS_EX_TOPMOST) == 0 || (exStyle & WS_EX_TOOLWINDOW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

HWND dialogOwner() {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  if (foreground != nullptr) GetWindowThreadProcessId(foreground, &process);
  if (process == GetCurrentProcessId()) return foreground;
  // With another program active, a dialog without an owner would open below a window of ours that
  // stays on top, unseen and unanswerable while that window is disabled; owned by it, it opens above.
  HWND onTop = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findWindowOnTop, reinterpret_cast<LPARAM>(&onTop));
  return onTop;
}

void setShellModalCheck(bool (*check)()) { shellModalCheck = check; }

bool modalWindowOpen() { return disablingWindowsOpen > 0 || (shellModalCheck != nullptr && shellModalCheck()); }

DisabledProgramWindows::DisabledProgramWindows() {
  ++disablingWindowsOpen;
  EnumThreadWindows(GetCurrentThreadId(), collectEnabledWindow, reinterpret_cast<LPARAM>(&disabled_));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

DisabledProgramWindows::~DisabledProgramWindows() {
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  --disablingWindowsOpen;
}

int showMessageBox(const char* text, const char* title, UINT type) {
  HWND owner = dialogOwner();
  DisabledProgramWindows disabled;
  return MessageBoxA(owner, text, title, type);
}

}  // namespace platform
