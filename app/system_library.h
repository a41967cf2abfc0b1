#pragma once
// Loading system DLLs from the system directory only, so that no planted copy can be picked up.
#include <windows.h>

namespace app {

// Removes the current directory from the DLL search order of this process.
void hardenDllSearch();

// Loads a DLL from the system directory; null when it is not there.
HMODULE loadSystemLibrary(const char* name);

}  // namespace app
