#include "platform/file_names.h"

#include <algorithm>

#include "platform/modal_windows.h"

namespace platform {

namespace {

constexpr UINT windowsLatin1 = 1252;

std::wstring wideFrom(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(std::max(length, 0)));
  return wide;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view utf8) { return wideFrom(CP_UTF8, utf8); }

std::wstring wideFromCp1252(std::string_view text) { return wideFrom(windowsLatin1, text); }

std::string utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

HANDLE openFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileW(wideFromUtf8(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD fileAttributes(const std::string& path) { return GetFileAttributesW(wideFromUtf8(path).c_str()); }

bool setFileAttributes(const std::string& path, DWORD attributes) {
  return SetFileAttributesW(wideFromUtf8(path).c_str(), attributes) != 0;
}

bool deleteFile(const std::string& path) { return DeleteFileW(wideFromUtf8(path).c_str()) != 0; }

bool moveFile(const std::string& from, const std::string& to, DWORD flags) {
  return MoveFileExW(wideFromUtf8(from).c_str(), wideFromUtf8(to).c_str(), flags) != 0;
}

std::string commandLine() {
  const wchar_t* line = GetCommandLineW();
  return line != nullptr ? utf8FromWide(line) : std::string();
}

UINT dropCount(HDROP drop) { return DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); }

std::string droppedFile(HDROP drop, UINT index) {
  const UINT length = DragQueryFileW(drop, index, nullptr, 0);
  std::wstring name(length + 1, L'\0');
  name.resize(DragQueryFileW(drop, index, name.data(), length + 1));
  return utf8FromWide(name);
}

void setWindowText(HWND window, const std::string& utf8) { SetWindowTextW(window, wideFromUtf8(utf8).c_str()); }

std::string windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(window, text.data(), static_cast<int>(text.size())), 0)));
  return utf8FromWide(text);
}

int showNamedMessageBox(const std::string& utf8Text, std::string_view title, UINT type) {
  HWND owner = dialogOwner();
  DisabledProgramWindows disabled;
  return MessageBoxW(owner, wideFromUtf8(utf8Text).c_str(), wideFromCp1252(title).c_str(), type);
}

}  // namespace platform
