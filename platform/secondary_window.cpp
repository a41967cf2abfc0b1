#include "platform/secondary_window.h"

#include <algorithm>

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
    HWND child = CreateWindowExA(spec.exStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, spec.x,
                                 spec.y, spec.width, spec.height, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
    if (child != nullptr) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

void makeTopmost(HWND window, bool topmost) {
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

std::string controlText(HWND control) {
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

}  // namespace platform
