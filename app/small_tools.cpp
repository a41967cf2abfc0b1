#include "app/small_tools.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/bitmap_file.h"
#include "app/event_loop.h"
#include "app/launch_command.h"
#include "app/main_window.h"
#include "app/object_ids.h"
#include "platform/modal_windows.h"
#include "platform/program_name.h"
#include "resources/resource_ids.h"

namespace app {

namespace {

constexpr char settingsNoteText[] =
    "Wenn Sie die Einstellungen zurücksetzen bzw. wiederherstellen wollen (wenn die Datei z.B. gelöscht wurde), "
    "klicken Sie einfach im Menü unter 'Datei' auf 'Einstellungen wiederherstellen'.";

constexpr char aboutNotice[] = "Velloro v2.0 Beta 3\rEin kleiner Texteditor für Windows";

constexpr int aboutClientWidth = 340;
constexpr int aboutClientHeight = 155;
constexpr DWORD aboutStyle = WS_POPUP | WS_CAPTION;
constexpr unsigned leftButtonUp = WM_LBUTTONUP;

// The Windows folder with one backslash appended; the backslash alone when the shell knows none.
std::string windowsFolderPath() {
  LPITEMIDLIST folder = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(state.mainWindowHandle, CSIDL_WINDOWS, &folder)) || folder == nullptr) {
    return windowsFolderText(nullptr, 0);
  }
  // The shell writes up to MAX_PATH characters into the buffer it is given.
  char path[MAX_PATH] = {};
  bool found = SHGetPathFromIDListA(folder, path) != FALSE;
  CoTaskMemFree(folder);
  return windowsFolderText(found ? path : nullptr, sizeof path);
}

// Starts a program without waiting for it; an empty working folder means none.
bool launchProgram(const std::string& program, const std::string& parameter, const std::string& workingFolder) {
  std::string line = launchCommandLine(program, parameter);
  // CreateProcessA may write into the command line, so it gets a buffer of its own.
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');
  const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, folder,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }

  std::string shellFolder = folder != nullptr ? workingFolder : programFolder(program);
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  // Without FLAG_NO_UI the shell would report a missing program in a message box of its own.
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = "Open";
  execute.lpFile = program.c_str();
  execute.lpParameters = parameter.empty() ? nullptr : parameter.c_str();
  execute.lpDirectory = shellFolder.empty() ? nullptr : shellFolder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&execute)) return false;
  if (execute.hProcess != nullptr) CloseHandle(execute.hProcess);
  return true;
}

void startSystemProgram(const char* fileName) {
  std::string windows = windowsFolderPath();
  launchProgram(windows + "System32\\" + fileName, "", windows + "system32");
}

// Image 0: the banner carried in the program's data, or none when it cannot be read.
HBITMAP createBannerImage() {
  HRSRC resource = FindResourceA(state.instance, MAKEINTRESOURCEA(IDR_ABOUT_BANNER), MAKEINTRESOURCEA(10));
  if (resource == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(state.instance, resource);
  auto* bytes = static_cast<const unsigned char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  auto layout = bitmapFileLayout(bytes, SizeofResource(state.instance, resource));
  if (!layout) return nullptr;

  // Only the basic part of the header is handed on; the layout check allowed nothing that needs more.
  BITMAPINFO info{};
  std::memcpy(&info.bmiHeader, bytes + layout->infoOffset, sizeof info.bmiHeader);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return nullptr;
  HBITMAP image = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, bytes + layout->pixelOffset, &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return image;
}

HWND createAboutWindow() {
  RECT frame{0, 0, aboutClientWidth, aboutClientHeight};
  AdjustWindowRectEx(&frame, aboutStyle, FALSE, WS_EX_TOPMOST);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  std::string title = platform::dialogTitle("Über Velloro");
  return CreateWindowExA(WS_EX_TOPMOST, programWindowClass(), title.c_str(), aboutStyle,
                         (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                         width, height, state.mainWindowHandle, nullptr, state.instance, nullptr);
}

void createAboutControls(HWND window, HBITMAP banner) {
  HWND picture = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, 7, 7, 326, 99, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(aboutBannerId)), state.instance, nullptr);
  if (picture != nullptr && banner != nullptr) {
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner));
  }
  HWND notice = CreateWindowExA(0, "STATIC", aboutNotice, WS_CHILD | WS_VISIBLE | SS_CENTER, 7, 124, 326, 60, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(aboutNoticeId)), state.instance, nullptr);
  if (notice != nullptr) {
    SendMessageA(notice, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
}

}  // namespace

void startCalculator() { startSystemProgram("calc.exe"); }

void startCharacterMap() { startSystemProgram("charmap.exe"); }

void showSettingsNote() {
  std::string title = platform::dialogTitle("Einstellungen");
  platform::showMessageBox(settingsNoteText, title.c_str(), MB_OK);
}

void showAboutWindow() {
  EnableWindow(state.mainWindowHandle, FALSE);
  HWND window = createAboutWindow();
  state.aboutWindow = window;
  HBITMAP banner = createBannerImage();
  if (window != nullptr) {
    createAboutControls(window, banner);
    ShowWindow(window, SW_SHOWNORMAL);
    // Only a released left button ends the window; every other event is dropped unhandled.
    while (state.aboutClosed != 1) {
      if (waitForEvent().kind == leftButtonUp) state.aboutClosed = 1;
    }
  }
  state.aboutClosed = 0;
  state.aboutWindow = nullptr;
  if (window != nullptr) DestroyWindow(window);
  if (banner != nullptr) DeleteObject(banner);

  SetActiveWindow(state.mainWindowHandle);
  EnableWindow(state.mainWindowHandle, TRUE);
  SetFocus(state.editorHandle);
}

}  // namespace app
