#include "document/print_progress_window.h"

#include <windows.h>

#include <algorithm>

#include "app/app_state.h"
#include "app/object_ids.h"
#include "document/titles.h"
#include "platform/secondary_window.h"

namespace document {

namespace {

using app::state;

// Title bar only: without a system menu there is no close box to end the job half-way.
constexpr DWORD windowStyle = WS_CAPTION;
constexpr int clientWidth = 200;
constexpr int clientHeight = 40;

HWND progressText() { return GetDlgItem(state.aboutWindow, app::printProgressTextId); }

// Top-left corner of a window of the given outer size centred over the active window.
POINT centredOverActiveWindow(int width, int height) {
  HWND active = GetActiveWindow();
  if (active == nullptr) active = GetForegroundWindow();
  RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (active != nullptr) GetWindowRect(active, &over);
  const int x = over.left + (over.right - over.left - width) / 2;
  const int y = over.top + (over.bottom - over.top - height) / 2;
  return {std::max(0, x), std::max(0, y)};
}

}  // namespace

void openPrintProgressWindow() {
  closePrintProgressWindow();
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, windowStyle, FALSE, WS_EX_TOPMOST);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const POINT corner = centredOverActiveWindow(width, height);
  const std::string title = dialogTitle("Drucken");
  state.aboutWindow = CreateWindowExA(WS_EX_TOPMOST, platform::programWindows().windowClass, title.c_str(),
                                      windowStyle, corner.x, corner.y, width, height, state.mainWindowHandle, nullptr,
                                      state.instance, nullptr);
  if (state.aboutWindow == nullptr) return;
  SetWindowPos(state.aboutWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);

  HWND text = CreateWindowExA(0, "STATIC", "Drucke Seite", WS_CHILD | WS_VISIBLE, 10, 10, 180, 20, state.aboutWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(app::printProgressTextId)),
                              state.instance, nullptr);
  if (text != nullptr) SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  showPrintProgress("Drucken wird vorbereitet...");
}

void showPrintProgress(const std::string& text) {
  HWND control = progressText();
  if (control == nullptr) return;
  SetWindowTextA(control, text.c_str());
  RedrawWindow(state.aboutWindow, nullptr, nullptr, RDW_ERASENOW | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void closePrintProgressWindow() {
  if (state.aboutWindow == nullptr) return;
  DestroyWindow(state.aboutWindow);
  state.aboutWindow = nullptr;
}

}  // namespace document
