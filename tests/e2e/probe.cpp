// Reads another Velloro process's windows from outside, as the end-to-end tests need:
//   probe status TITLE FIELD     prints the text of a status-bar field of the window with that title
//   probe chars TITLE            prints the characters its text control (control 1) holds (a line
//                                end is one CR)
//   probe drop TITLE PATH        drops the file on the window, as the shell does after a drag
//   probe message TITLE          prints the texts of a message box's static controls, one a line
//   probe exists TITLE           exit code 0 when a window with that title exists
//   probe tray TITLE             exit code 0 when the window has its notification-area icon
//   probe tray-dblclick TITLE    tells the window its icon was double-clicked, as the shell does
//   probe terminate TITLE        ends the window's process at once, as a crash or the task manager does
//   probe button TITLE ID        prints the label of a dialog's button (IDYES 6, IDNO 7, IDCANCEL 2)
//   probe press TITLE ID         presses a dialog's button (IDOK 1)
//   probe codepage               prints the ANSI code page of the Windows processes
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <shlobj.h>

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

// EM_GETTEXTLENGTHEX reads its question from the control's own process.
bool heldCharacters(HWND editor, long& count) {
  DWORD processId = 0;
  GetWindowThreadProcessId(editor, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  const GETTEXTLENGTHEX question{GTL_NUMCHARS, 1200};  // UTF-16, line ends as they are held
  void* remote = VirtualAllocEx(process, nullptr, sizeof question, MEM_COMMIT, PAGE_READWRITE);
  SIZE_T written = 0;
  const bool ok = remote != nullptr && WriteProcessMemory(process, remote, &question, sizeof question, &written) &&
                  written == sizeof question;
  if (ok) count = static_cast<long>(SendMessageA(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(remote), 0));
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok;
}

// The shell's DROPFILES block lives in the receiver's memory, which frees it with DragFinish.
bool dropFile(HWND window, const std::string& path) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  std::string block(sizeof(DROPFILES), '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  std::memcpy(block.data(), &header, sizeof header);
  block += path;
  block.append(2, '\0');
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
  SIZE_T written = 0;
  const bool ok = remote != nullptr && WriteProcessMemory(process, remote, block.data(), block.size(), &written) &&
                  written == block.size() &&
                  PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  CloseHandle(process);
  return ok;
}

BOOL CALLBACK printStaticText(HWND control, LPARAM) {
  char className[16] = {};
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "Static") != 0) return TRUE;
  // WM_GETTEXT is carried across processes; GetWindowText would not ask the control.
  char text[2048] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  if (text[0] != '\0') std::printf("%s\n", text);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "codepage") {
    std::printf("%u\n", GetACP());
    return 0;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: probe COMMAND TITLE [ARGUMENT]\n");
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
  if (command == "chars") {
    long count = 0;
    if (!heldCharacters(GetDlgItem(window, 1), count)) return 1;
    std::printf("%ld\n", count);
    return 0;
  }
  if (command == "drop" && argc >= 4) return dropFile(window, argv[3]) ? 0 : 1;
  if (command == "message") {
    EnumChildWindows(window, printStaticText, 0);
    return 0;
  }
  if (command == "press" && argc >= 4) {
    const int id = std::atoi(argv[3]);
    HWND button = GetDlgItem(window, id);
    if (button == nullptr) return 1;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return 0;
  }
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
