#pragma once
// The one place where file names cross to the system. The program keeps a path as UTF-8 and hands
// it to the system's wide functions, so that a name holding characters beyond the ANSI code page
// ("Łódź.txt") names that very file and not a best-fit look-alike ("Lódz.txt").
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>

namespace platform {

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

// The program's German texts, code page 1252, for the wide functions.
std::wstring wideFromCp1252(std::string_view text);

HANDLE openFile(const std::string& path, DWORD access, DWORD share, DWORD disposition);
DWORD fileAttributes(const std::string& path);
bool setFileAttributes(const std::string& path, DWORD attributes);
bool deleteFile(const std::string& path);
// As MoveFileEx; with no flags a move to another drive copies and removes, as MoveFile does.
bool moveFile(const std::string& from, const std::string& to, DWORD flags = MOVEFILE_COPY_ALLOWED);

// The process's command line.
std::string commandLine();

// The name of a dropped file; the count of them for index 0xFFFFFFFF is dropCount.
UINT dropCount(HDROP drop);
std::string droppedFile(HDROP drop, UINT index);

// A window's text, in UTF-8 both ways.
void setWindowText(HWND window, const std::string& utf8);
std::string windowText(HWND window);

// A message box of the program for a text that names a file (UTF-8), with the owner and disabling
// rules of showMessageBox.
int showNamedMessageBox(const std::string& utf8Text, std::string_view title, UINT type);

}  // namespace platform
