#include "platform/system_library.h"

#include <string>

namespace platform {

namespace {
constexpr DWORD loadLibrarySearchSystem32 = 0x00000800;
constexpr char commonDialogs[] = "COMDLG32.DLL";
}

void hardenDllSearch() {
  // Looked up at run time: the call is missing on the oldest systems the program runs on.
  using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return;
  auto setDllDirectory = reinterpret_cast<SetDllDirectoryFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA")));
  if (setDllDirectory != nullptr) setDllDirectory("");
}

HMODULE loadSystemLibrary(const char* name) {
  HMODULE module = LoadLibraryExA(name, nullptr, loadLibrarySearchSystem32);
  if (module != nullptr) return module;
  // Systems without the search flag refuse it; name the full path instead.
  char folder[MAX_PATH];
  UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::string path(folder, length);
  path += '\\';
  path += name;
  return LoadLibraryA(path.c_str());
}

FARPROC systemProcedure(const char* library, const char* name) {
  HMODULE module = loadSystemLibrary(library);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

BOOL showOpenFileDialog(OPENFILENAMEW* dialog) {
  static auto* call = systemFunction<decltype(GetOpenFileNameW)>(commonDialogs, "GetOpenFileNameW");
  return call != nullptr && call(dialog);
}

BOOL showSaveFileDialog(OPENFILENAMEW* dialog) {
  static auto* call = systemFunction<decltype(GetSaveFileNameW)>(commonDialogs, "GetSaveFileNameW");
  return call != nullptr && call(dialog);
}

BOOL showColourDialog(CHOOSECOLORA* dialog) {
  static auto* call = systemFunction<decltype(ChooseColorA)>(commonDialogs, "ChooseColorA");
  return call != nullptr && call(dialog);
}

BOOL showPrintDialog(PRINTDLGA* dialog) {
  static auto* call = systemFunction<decltype(PrintDlgA)>(commonDialogs, "PrintDlgA");
  return call != nullptr && call(dialog);
}

}  // namespace platform
