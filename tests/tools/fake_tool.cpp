// Stands in for a system program that the tools menu starts: appends its command line and working
// folder to "<exe name>.txt" in the folder that VELLORO_FAKE_TOOL_MARKS names, then ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char marks[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA("VELLORO_FAKE_TOOL_MARKS", marks, sizeof marks);
  if (length == 0 || length >= sizeof marks) return 1;

  char module[MAX_PATH] = {};
  DWORD moduleLength = GetModuleFileNameA(nullptr, module, sizeof module);
  if (moduleLength == 0 || moduleLength >= sizeof module) return 1;
  std::string name(module, moduleLength);
  name = name.substr(name.rfind('\\') + 1);

  char folder[MAX_PATH] = {};
  DWORD folderLength = GetCurrentDirectoryA(sizeof folder, folder);
  if (folderLength == 0 || folderLength >= sizeof folder) return 1;

  std::string line = std::string(GetCommandLineA()) + "|" + std::string(folder, folderLength) + "\n";
  std::string path = std::string(marks, length) + "\\" + name + ".txt";
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
