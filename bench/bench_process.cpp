#include "bench/bench_process.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace bench {

namespace {

DWORD millisecondsUntil(double deadline) {
  double left = deadline - now();
  return left <= 0 ? 0 : static_cast<DWORD>(left * 1000.0) + 1;
}

struct WindowSearch {
  DWORD processId;
  const std::string* titleEnd;  // null: the first visible unowned window
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->titleEnd == nullptr) {
    if (GetWindow(window, GW_OWNER) != nullptr) return TRUE;
  } else {
    char title[512] = {};
    int length = GetWindowTextA(window, title, sizeof title);
    const std::string& end = *search->titleEnd;
    if (length < static_cast<int>(end.size()) || std::strcmp(title + length - end.size(), end.c_str()) != 0) {
      return TRUE;
    }
  }
  search->found = window;
  return FALSE;
}

HWND findWindowOf(DWORD processId, const std::string* titleEnd) {
  WindowSearch search{processId, titleEnd, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

double now() {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency;
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder) {
  stop();
  std::string commandLine = quoted(program);
  for (const std::string& argument : arguments) commandLine += " " + quoted(argument);
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
    info_ = PROCESS_INFORMATION{};
    return false;
  }
  return true;
}

bool ChildProcess::waitReady(double timeoutSeconds) {
  if (info_.hProcess == nullptr) return false;
  const double deadline = now() + timeoutSeconds;
  // Wine answers WaitForInputIdle early for a process that has not reached its loop yet on some
  // paths, so a message answered by the window's thread is the real test.
  WaitForInputIdle(info_.hProcess, millisecondsUntil(deadline));
  while ((mainWindow_ = findWindowOf(info_.dwProcessId, nullptr)) == nullptr) {
    if (now() > deadline || WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0) return false;
    Sleep(1);
  }
  LRESULT ignored = 0;
  if (!sendWithin(mainWindow_, WM_NULL, 0, 0, deadline - now(), &ignored)) return false;
  UpdateWindow(mainWindow_);
  return sendWithin(mainWindow_, WM_NULL, 0, 0, deadline - now(), &ignored);
}

HWND ChildProcess::windowEndingWith(const std::string& titleEnd) const {
  return findWindowOf(info_.dwProcessId, &titleEnd);
}

SIZE_T ChildProcess::peakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

void ChildProcess::stop() {
  if (info_.hProcess != nullptr) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 10000);
    CloseHandle(info_.hProcess);
  }
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
  info_ = PROCESS_INFORMATION{};
  mainWindow_ = nullptr;
}

RemoteBuffer::RemoteBuffer(HANDLE process, SIZE_T size)
    : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::read(void* target, SIZE_T size) const {
  SIZE_T done = 0;
  return ReadProcessMemory(process_, address_, target, size, &done) && done == size;
}

bool RemoteBuffer::write(const void* source, SIZE_T size) const {
  SIZE_T done = 0;
  return WriteProcessMemory(process_, address_, source, size, &done) && done == size;
}

bool sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, double timeoutSeconds, LRESULT* result) {
  if (timeoutSeconds <= 0) return false;
  DWORD_PTR answer = 0;
  UINT milliseconds = static_cast<UINT>(timeoutSeconds * 1000.0) + 1;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, milliseconds, &answer)) return false;
  *result = static_cast<LRESULT>(answer);
  return true;
}

std::string statusText(const RemoteBuffer& buffer, HWND statusBar, int field, double timeoutSeconds) {
  char text[256] = {};
  if (!buffer.write(text, sizeof text)) return {};
  LRESULT ignored = 0;
  if (!sendWithin(statusBar, SB_GETTEXTA, static_cast<WPARAM>(field), buffer.address(), timeoutSeconds, &ignored)) {
    return {};
  }
  if (!buffer.read(text, sizeof text)) return {};
  text[sizeof text - 1] = '\0';
  return text;
}

bool selectionOf(const RemoteBuffer& buffer, HWND editor, CHARRANGE* range, double timeoutSeconds) {
  LRESULT ignored = 0;
  return sendWithin(editor, EM_EXGETSEL, 0, buffer.address(), timeoutSeconds, &ignored) &&
         buffer.read(range, sizeof *range);
}

bool scrollPositionOf(const RemoteBuffer& buffer, HWND editor, POINT* position, double timeoutSeconds) {
  LRESULT ignored = 0;
  return sendWithin(editor, EM_GETSCROLLPOS, 0, buffer.address(), timeoutSeconds, &ignored) &&
         buffer.read(position, sizeof *position);
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

long long fileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

unsigned long long lastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

bool setLastWriteTime(const std::string& path, unsigned long long time) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written{static_cast<DWORD>(time & 0xFFFFFFFFu), static_cast<DWORD>(time >> 32)};
  bool ok = SetFileTime(file, nullptr, nullptr, &written) != FALSE;
  CloseHandle(file);
  return ok && lastWriteTime(path) == time;
}

bool sameContents(const std::string& first, const std::string& second) {
  if (fileSize(first) < 0 || fileSize(first) != fileSize(second)) return false;
  HANDLE a = CreateFileA(first.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE b = CreateFileA(second.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  bool same = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE;
  std::vector<char> left(1 << 20), right(1 << 20);
  while (same) {
    DWORD readLeft = 0, readRight = 0;
    if (!ReadFile(a, left.data(), static_cast<DWORD>(left.size()), &readLeft, nullptr) ||
        !ReadFile(b, right.data(), static_cast<DWORD>(right.size()), &readRight, nullptr) || readLeft != readRight) {
      same = false;
    } else if (readLeft == 0) {
      break;
    } else {
      same = std::memcmp(left.data(), right.data(), readLeft) == 0;
    }
  }
  if (a != INVALID_HANDLE_VALUE) CloseHandle(a);
  if (b != INVALID_HANDLE_VALUE) CloseHandle(b);
  return same;
}

}  // namespace bench
