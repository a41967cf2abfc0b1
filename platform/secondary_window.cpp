#include "platform/secondary_window.h"

#include <algorithm>
#include <vector>

#include "platform/file_names.h"

namespace platform {

namespace {
ProgramWindows (*programWindowsSource)() = nullptr;
}

void setProgramWindowsSource(ProgramWindows (*source)()) { programWindowsSource = source; }

ProgramWindows programWindows() { return programWindowsSource != nullptr ? programWindowsSource() : ProgramWindows{}; }

HWND createCentredWindow(const std::string& title, DWORD style, int clientWidth, int clientHeight) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int width = std::min<int>(frame.right - frame.left, screenWidth);
  int height = std::min<int>(frame.bottom - frame.top, screenHeight);
  const ProgramWindows program = programWindows();
  return CreateWindowExA(0, program.windowClass, title.c_str(), style, (screenWidth - width) / 2,
                         (screenHeight - height) / 2, width, height, program.mainWindow, nullptr, program.instance,
                         nullptr);
}

void createControls(HWND window, std::span<const ControlSpec> controls) {
  auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const HINSTANCE instance = programWindows().instance;
  for (const ControlSpec& spec : controls) {
    // Unicode windows, so that a field takes any character a file name may hold.
    HWND child = CreateWindowExW(spec.exStyle, wideFromCp1252(spec.className).c_str(), wideFromCp1252(spec.text).c_str(),
                                 WS_CHILD | WS_VISIBLE | spec.style, spec.x, spec.y, spec.width, spec.height, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
    if (child != nullptr) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

namespace {

// The always-on-top windows that the window owns, above it, topmost first: the toolbar's tooltip
// window, an open Find or Rename window.
std::vector<HWND> ownedTopmostAbove(HWND window) {
  std::vector<HWND> owned;
  for (HWND above = GetTopWindow(nullptr); above != nullptr && above != window; above = GetWindow(above, GW_HWNDNEXT)) {
    if (GetWindow(above, GW_OWNER) == window && (GetWindowLongW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
      owned.push_back(above);
    }
  }
  return owned;
}

}  // namespace

// Wine places a window that is made topmost just below the topmost windows it owns, and a window
// placed there stays out of the topmost band. So these windows are let go for that moment and put
// back above it, which is where Windows itself keeps them.
void makeTopmost(HWND window, bool topmost) {
  constexpr UINT placeOnly = SWP_NOMOVE | SWP_NOSIZE;
  if (!topmost) {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, placeOnly);
    return;
  }
  const std::vector<HWND> owned = ownedTopmostAbove(window);
  for (HWND above : owned) SetWindowLongPtrW(above, GWLP_HWNDPARENT, 0);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, placeOnly);
  for (auto above = owned.rbegin(); above != owned.rend(); ++above) {
    SetWindowLongPtrW(*above, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
    SetWindowPos(*above, HWND_TOPMOST, 0, 0, 0, 0, placeOnly | SWP_NOACTIVATE);
  }
}

std::string controlText(HWND control) {
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

}  // namespace platform
