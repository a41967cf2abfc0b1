#pragma once
// A program under measurement, started and watched from outside: its windows are found by process,
// its controls are read through memory borrowed in its own address space.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

namespace bench {

// Seconds from a fixed point, from the performance counter.
double now();

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { stop(); }

  // CreateProcess with the program and its arguments (each quoted), in the given folder.
  bool start(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder);

  // Input idle, a visible main window, a message answered and every pending paint done: the moment
  // a user could work. False when the timeout passed first or the process ended.
  bool waitReady(double timeoutSeconds);

  HWND mainWindow() const { return mainWindow_; }
  HANDLE handle() const { return info_.hProcess; }
  DWORD id() const { return info_.dwProcessId; }

  // A visible top-level window of this process whose title ends with the given text, or null.
  HWND windowEndingWith(const std::string& titleEnd) const;

  // Bytes; 0 when the system does not tell.
  SIZE_T peakWorkingSet() const;

  // Ends the process by its handle and waits for it.
  void stop();

 private:
  PROCESS_INFORMATION info_{};
  HWND mainWindow_ = nullptr;
};

// Memory inside another process, for messages whose answer is written through a pointer.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size);
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  bool valid() const { return address_ != nullptr; }
  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  bool read(void* target, SIZE_T size) const;
  bool write(const void* source, SIZE_T size) const;

 private:
  HANDLE process_;
  void* address_ = nullptr;
};

// SendMessageTimeout with a bounded wait; false when the target did not answer in time.
bool sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, double timeoutSeconds, LRESULT* result);

// Field text of a status bar in another process; empty when unreadable.
std::string statusText(const RemoteBuffer& buffer, HWND statusBar, int field, double timeoutSeconds);

// The selection and the scroll position of a rich-edit control in another process.
bool selectionOf(const RemoteBuffer& buffer, HWND editor, CHARRANGE* range, double timeoutSeconds);
bool scrollPositionOf(const RemoteBuffer& buffer, HWND editor, POINT* position, double timeoutSeconds);

// Windows path of a file's folder with a trailing backslash.
std::string folderOf(const std::string& path);
bool fileExists(const std::string& path);
long long fileSize(const std::string& path);
// Last-write time in 100 ns units; 0 when unreadable. Setting it opens the file only for its
// attributes.
unsigned long long lastWriteTime(const std::string& path);
bool setLastWriteTime(const std::string& path, unsigned long long time);
bool sameContents(const std::string& first, const std::string& second);

}  // namespace bench
