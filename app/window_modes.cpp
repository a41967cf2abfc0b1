#include "app/window_modes.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "app/app_state.h"
#include "app/menus.h"
#include "app/object_ids.h"
#include "platform/file_names.h"
#include "platform/modal_windows.h"
#include "platform/secondary_window.h"
#include "platform/system_library.h"
#include "resources/resource_ids.h"

namespace app {

namespace {

bool callbackInstalled = false;
UINT shellStartedMessage = 0;  // broadcast by a shell that starts (again) and knows no icons
std::string shownTip;
constexpr UINT trayIconId = 0;
constexpr std::size_t tipCharacters = 63;
constexpr int lowestOpacityPercent = 10;

NOTIFYICONDATAW trayIconData() {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;  // understood by every shell version
  data.hWnd = state.mainWindowHandle;
  data.uID = trayIconId;
  return data;
}

// The 16 x 16 image: the first entry of the icon file carried in the program's data.
HICON createTrayIconImage() {
  HRSRC resource = FindResourceA(state.instance, MAKEINTRESOURCEA(IDR_TRAY_ICON_FILE), MAKEINTRESOURCEA(10));
  if (resource == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(state.instance, resource);
  auto* bytes = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  DWORD size = SizeofResource(state.instance, resource);
  constexpr DWORD directoryHeader = 6, entrySize = 16;
  if (bytes == nullptr || size < directoryHeader + entrySize) return nullptr;
  DWORD imageSize, imageOffset;
  std::memcpy(&imageSize, bytes + directoryHeader + 8, sizeof imageSize);
  std::memcpy(&imageOffset, bytes + directoryHeader + 12, sizeof imageOffset);
  if (imageOffset > size || imageSize > size - imageOffset) return nullptr;
  return CreateIconFromResourceEx(const_cast<BYTE*>(bytes + imageOffset), imageSize, TRUE, 0x00030000, 16, 16,
                                  LR_DEFAULTCOLOR);
}

void focusOnActivation(HWND window) {
  if (window == state.mainWindowHandle) {
    SetFocus(state.editorHandle);
  } else if (window == state.searchWindow) {
    SetFocus(GetDlgItem(window, searchFieldId));
  } else if (window == state.renameWindow) {
    SetFocus(GetDlgItem(window, renamePathFieldId));
  }
}

// Adds the icon with an empty tip, then gives it the title taken when the window was hidden.
void addTrayIcon() {
  NOTIFYICONDATAW data = trayIconData();
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = trayCallbackMessage;
  data.hIcon = state.trayIconImage;
  Shell_NotifyIconW(NIM_ADD, &data);
  state.trayIconShown = true;

  data.uFlags = NIF_TIP;
  const std::wstring tip = platform::wideFromUtf8(shownTip);
  tip.copy(data.szTip, std::min(tip.size(), tipCharacters));
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace

void installWindowCallback() {
  shellStartedMessage = RegisterWindowMessageA("TaskbarCreated");
  callbackInstalled = true;
}

void windowCallback(HWND window, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (!callbackInstalled) return;
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) focusOnActivation(window);
  // Without its icon a window hidden in the notification area could not be brought back.
  if (message == shellStartedMessage && shellStartedMessage != 0 && window == state.mainWindowHandle &&
      state.trayIconShown) {
    addTrayIcon();
  }
  // Under a message box or dialog the window stays on the task bar: Windows hides the dialog with
  // it, and the dialog's own loop would leave the icon's double-click unanswered until it closes.
  if (message == WM_SIZE && wParam == SIZE_MINIMIZED && window == state.mainWindowHandle &&
      isMenuItemChecked(MinimizeToTray) && !platform::modalWindowOpen()) {
    minimizeToTray();
  }
}

void setWindowOpacity(HWND window, int percent) {
  HMODULE user32 = platform::loadSystemLibrary("user32.dll");
  if (user32 == nullptr) return;
  using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  auto setLayered = reinterpret_cast<SetLayeredFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  if (setLayered != nullptr) {
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    // The settings file may ask for any level: one above 100 would wrap round to almost invisible,
    // and one near 0 (an empty or mistyped value reads 0) would leave a window nobody can find.
    const int level = std::clamp(percent, lowestOpacityPercent, 100);
    auto alpha = static_cast<BYTE>(level * 255 / 100);
    setLayered(window, 0, alpha, LWA_ALPHA);
  }
  FreeLibrary(user32);
}

void minimizeToTray() {
  ShowWindow(state.mainWindowHandle, SW_HIDE);
  removeTrayIcon();
  state.trayIconImage = createTrayIconImage();
  std::wstring title = platform::wideFromUtf8(platform::windowText(state.mainWindowHandle));
  title.resize(std::min(title.size(), tipCharacters));
  // A character cut in half would show as a stand-in.
  if (!title.empty() && IS_HIGH_SURROGATE(title.back())) title.pop_back();
  shownTip = platform::utf8FromWide(title);
  addTrayIcon();
}

const std::string& trayIconTip() { return shownTip; }

void removeTrayIcon() {
  if (state.trayIconShown) {
    NOTIFYICONDATAW data = trayIconData();
    Shell_NotifyIconW(NIM_DELETE, &data);
    state.trayIconShown = false;
  }
  if (state.trayIconImage != nullptr) {
    DestroyIcon(state.trayIconImage);
    state.trayIconImage = nullptr;
  }
}

void restoreFromTray() {
  removeTrayIcon();
  ShowWindow(state.mainWindowHandle, IsZoomed(state.mainWindowHandle) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  SetForegroundWindow(state.mainWindowHandle);
}

void toggleMinimizeToTray() { setMenuItemChecked(MinimizeToTray, !isMenuItemChecked(MinimizeToTray)); }

void toggleAlwaysOnTop() {
  bool on = !isMenuItemChecked(AlwaysOnTop);
  setMenuItemChecked(AlwaysOnTop, on);
  platform::makeTopmost(state.mainWindowHandle, on);
}

void toggleTransparency() {
  bool on = !isMenuItemChecked(Transparency);
  setWindowOpacity(state.mainWindowHandle, on ? state.transparencyLevel : 100);
  setMenuItemChecked(Transparency, on);
}

}  // namespace app
