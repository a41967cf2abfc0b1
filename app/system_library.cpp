#include "app/system_library.h"

#include <string>

namespace app {

namespace {
constexpr DWORD loadLibrarySearchSystem32 = 0x00000800;
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

}  // namespace app
