#pragma once
// Loading system DLLs from the system directory only, so that no planted copy can be picked up.
#include <windows.h>
#include <commdlg.h>

namespace platform {

// Removes the current directory from the DLL search order of this process.
void hardenDllSearch();

// Loads a DLL from the system directory; null when it is not there.
HMODULE loadSystemLibrary(const char* name);

// A function of a DLL from the system directory, e.g. systemFunction<decltype(GetOpenFileNameA)>;
// null when the DLL or the function is missing.
FARPROC systemProcedure(const char* library, const char* name);
template <typename Function>
Function* systemFunction(const char* library, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(systemProcedure(library, name)));
}

// The common dialogs, from a library loaded at their first use: importing it would load the whole
// printing stack at every start. When it cannot be loaded they answer as if cancelled. The file
// dialogs are the wide ones, so that any file name can be chosen.
BOOL showOpenFileDialog(OPENFILENAMEW* dialog);
BOOL showSaveFileDialog(OPENFILENAMEW* dialog);
BOOL showColourDialog(CHOOSECOLORA* dialog);
BOOL showPrintDialog(PRINTDLGA* dialog);

}  // namespace platform
