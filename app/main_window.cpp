#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/event_loop.h"
#include "app/toolbar.h"
#include "app/window_modes.h"
#include "document/recovery_copy.h"
#include "platform/file_names.h"
#include "platform/modal_windows.h"
#include "resources/resource_ids.h"

namespace app {

namespace {

constexpr char className[] = "VelloroWindow";
constexpr wchar_t wideClassName[] = L"VelloroWindow";

unsigned trayEventType(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONUP: return 0;
    case WM_RBUTTONUP: return 1;
    case WM_LBUTTONDBLCLK: return 2;
    case WM_RBUTTONDBLCLK: return 3;
    default: return ~0u;
  }
}

void onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  auto source = reinterpret_cast<HWND>(lParam);
  unsigned id = LOWORD(wParam);
  unsigned code = HIWORD(wParam);
  WindowNumber number = windowNumberOf(window);
  if (source != nullptr) {
    if (source == state.toolbar) {
      queueEvent({static_cast<unsigned>(EventKind::Menu), number, 0, 0, id});
    } else {
      queueEvent({static_cast<unsigned>(EventKind::Control), number, static_cast<int>(id), code, 0});
    }
    return;
  }
  // Menus live on the main window; other windows only have accelerators (code 1). Enter and Escape
  // in a dialog-style window arrive as code 0 without a source and are not commands; in the Find
  // window they search and close, as its users expect.
  if (code == 1 || (code == 0 && number == WindowNumber::Main)) {
    queueEvent({static_cast<unsigned>(EventKind::Menu), number, 0, 0, id});
  } else if (code == 0 && number == WindowNumber::Search && (id == IDOK || id == IDCANCEL)) {
    int button = id == IDOK ? searchNextButtonId : searchCloseButtonId;
    queueEvent({static_cast<unsigned>(EventKind::Control), number, button, BN_CLICKED, 0});
  }
}

// The toolbar asks for tooltip texts it does not hold itself; of a Unicode window it asks in Unicode.
bool answerTooltip(LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW) return false;
  const char* text = toolbarTooltip(static_cast<unsigned>(header->idFrom));
  if (text == nullptr) return false;
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    info->lpszText = const_cast<char*>(text);
    info->hinst = nullptr;
    return true;
  }
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
  static std::wstring shown;
  shown = platform::wideFromCp1252(text);
  info->lpszText = shown.data();
  info->hinst = nullptr;
  return true;
}

// The first of the dropped files; further ones are ignored, as is a drop while a dialog is open.
void onFilesDropped(HDROP drop) {
  std::string path;
  if (!platform::modalWindowOpen() && platform::dropCount(drop) > 0) path = platform::droppedFile(drop, 0);
  DragFinish(drop);
  if (!path.empty()) fileDropped(path);
}

}  // namespace

void acceptDroppedFiles() {
  DragAcceptFiles(state.mainWindowHandle, TRUE);
  DragAcceptFiles(state.editorHandle, TRUE);
}

const char* programWindowClass() {
  static bool registered = false;
  if (!registered) {
    // A Unicode window: its title shows any file name.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = programWindowProc;
    windowClass.hInstance = state.instance;
    windowClass.hIcon = LoadIconW(state.instance, MAKEINTRESOURCEW(IDI_VELLORO));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(state.instance, MAKEINTRESOURCEW(IDI_VELLORO), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = wideClassName;
    registered = RegisterClassExW(&windowClass) != 0;
  }
  return className;
}

HWND createMainWindow(const std::string& title) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, mainWindowStyle, FALSE, mainWindowExStyle);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  programWindowClass();
  HWND window = CreateWindowExW(mainWindowExStyle, wideClassName, platform::wideFromUtf8(title).c_str(), mainWindowStyle,
                                x, y, width, height, nullptr, nullptr, state.instance, nullptr);
  state.mainWindowHandle = window;
  if (window != nullptr) ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

void placeMainWindow(int x, int y, int innerWidth, int innerHeight) {
  RECT frame{0, 0, innerWidth, innerHeight};
  AdjustWindowRectEx(&frame, mainWindowStyle, FALSE, mainWindowExStyle);
  SetWindowPos(state.mainWindowHandle, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// A minimised window, on the task bar or in the notification area, has no client area to measure;
// it is saved with its normal (not maximised) size, and as maximised when it comes back maximised.
SavedWindowSize mainWindowSizeToSave() {
  HWND window = state.mainWindowHandle;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (IsIconic(window) && GetWindowPlacement(window, &placement)) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, mainWindowStyle, FALSE, mainWindowExStyle);
    const RECT& normal = placement.rcNormalPosition;
    return {(normal.right - normal.left) - (frame.right - frame.left),
            (normal.bottom - normal.top) - (frame.bottom - frame.top),
            (placement.flags & WPF_RESTORETOMAXIMIZED) != 0};
  }
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom + GetSystemMetrics(SM_CYMENU), IsZoomed(window) != FALSE};
}

WindowNumber windowNumberOf(HWND window) {
  if (window == nullptr) return WindowNumber::Other;
  if (window == state.mainWindowHandle) return WindowNumber::Main;
  if (window == state.aboutWindow) return WindowNumber::AboutOrProgress;
  if (window == state.searchWindow) return WindowNumber::Search;
  if (window == state.renameWindow) return WindowNumber::Rename;
  return WindowNumber::Other;
}

LRESULT CALLBACK programWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE) {
    // The default handling focuses the window itself; the callback then moves the focus into it.
    LRESULT result = DefWindowProcW(window, message, wParam, lParam);
    windowCallback(window, message, wParam, lParam);
    return result;
  }
  windowCallback(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      onCommand(window, wParam, lParam);
      return 0;
    case WM_CLOSE:
      // The window stays open until the program closes it.
      queueEvent({static_cast<unsigned>(EventKind::Close), windowNumberOf(window)});
      return 0;
    case WM_SIZE:
      if (window == state.mainWindowHandle) {
        if (state.statusBar != nullptr) SendMessageA(state.statusBar, WM_SIZE, 0, 0);
        if (state.toolbar != nullptr) SendMessageA(state.toolbar, TB_AUTOSIZE, 0, 0);
      }
      if (wParam != SIZE_MINIMIZED) queueEvent({static_cast<unsigned>(EventKind::Size), windowNumberOf(window)});
      if (wParam == SIZE_MINIMIZED && window == state.mainWindowHandle) document::requestRecoveryCopy();
      break;
    case WM_ACTIVATEAPP:
      // The user turns to another program: whatever happens meanwhile, unsaved text is in its copy.
      if (!wParam && window == state.mainWindowHandle) document::requestRecoveryCopy();
      break;
    case WM_NOTIFY:
      if (answerTooltip(lParam)) return 0;
      break;
    case WM_DROPFILES:
      if (window == state.mainWindowHandle) {
        onFilesDropped(reinterpret_cast<HDROP>(wParam));
        return 0;
      }
      break;
    case WM_QUERYENDSESSION:
      if (window == state.mainWindowHandle) return sessionEndQueried() ? TRUE : FALSE;
      break;
    case WM_ENDSESSION:
      // Windows ends the process after this message; settings and the tray icon are seen to first.
      if (window == state.mainWindowHandle && wParam) sessionEnds();
      return 0;
    case trayCallbackMessage: {
      unsigned type = trayEventType(lParam);
      if (type != ~0u) queueEvent({static_cast<unsigned>(EventKind::Tray), windowNumberOf(window), 0, type});
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace app
