// Reads another Velloro process's windows from outside, as the end-to-end tests need:
//   probe status TITLE FIELD     prints the text of a status-bar field of the window with that title
//   probe text TITLE             prints the text of its text control (control 1)
//   probe exists TITLE           exit code 0 when a window with that title exists
//   probe tray TITLE             exit code 0 when the window has its notification-area icon
//   probe tray-dblclick TITLE    tells the window its icon was double-clicked, as the shell does
//   probe terminate TITLE        ends the window's process at once, as a crash or the task manager does
//   probe button TITLE ID        prints the label of a dialog's button (IDYES 6, IDNO 7, IDCANCEL 2)
//   probe codepage               prints the ANSI code page of the Windows processes
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HWND findStatusBar(HWND window) { return FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr); }

// The status bar writes into memory of its own process, so the text goes through a buffer there.
bool readStatusField(HWND statusBar, int field, std::string& text) {
  DWORD processId = 0;
  GetWindowThreadProcessId(statusBar, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  constexpr SIZE_T size = 1024;
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  bool ok = false;
  if (remote != nullptr) {
    auto length = LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(field), 0));
    if (length < size) {
      SendMessageA(statusBar, SB_GETTEXTA, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(remote));
      char buffer[size] = {};
      SIZE_T read = 0;
      ok = ReadProcessMemory(process, remote, buffer, length + 1, &read) != 0;
      text.assign(buffer, length);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "codepage") {
    std::printf("%u\n", GetACP());
    return 0;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: probe status|text|exists TITLE [FIELD]\n");
    return 2;
  }
  std::string command = argv[1];
  HWND window = FindWindowA(nullptr, argv[2]);
  if (command == "exists") return window != nullptr ? 0 : 1;
  if (window == nullptr) {
    std::fprintf(stderr, "no window titled '%s'\n", argv[2]);
    return 1;
  }
  if (command == "status" && argc >= 4) {
    std::string text;
    if (!readStatusField(findStatusBar(window), std::atoi(argv[3]), text)) return 1;
    std::printf("%s\n", text.c_str());
    return 0;
  }
  if (command == "tray") {
    // The shell refuses to change an icon it does not hold.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &data) ? 0 : 1;
  }
  if (command == "tray-dblclick") {
    constexpr UINT trayCallbackMessage = 0x30D5;
    // Sent, not posted: the program's thread gets it inside its wait, with nothing else to wake it.
    SendNotifyMessageA(window, trayCallbackMessage, 0, WM_LBUTTONDBLCLK);
    SendNotifyMessageA(window, trayCallbackMessage, 0, WM_LBUTTONUP);
    return 0;
  }
  if (command == "terminate") {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) return 1;
    const bool ended = TerminateProcess(process, 1) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : 1;
  }
  if (command == "button" && argc >= 4) {
    char label[64] = {};
    GetWindowTextA(GetDlgItem(window, std::atoi(argv[3])), label, sizeof label);
    std::printf("%s\n", label);
    return 0;
  }
  if (command == "text") {
    HWND editor = GetDlgItem(window, 1);
    auto length = SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
