// Functions of system DLLs looked up at their first use.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/system_library.h"

namespace {

TEST(SystemLibrary, FindsAFunctionOnlyWhereLibraryAndNameExist) {
  struct Case {
    const char* library;
    const char* name;
    bool found;
  } cases[] = {
      {"COMDLG32.DLL", "GetOpenFileNameA", true},
      {"comdlg32.dll", "PrintDlgA", true},
      {"COMDLG32.DLL", "GetOpenFileNameZ", false},
      {"NOSUCHLIB.DLL", "GetOpenFileNameA", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::systemProcedure(c.library, c.name) != nullptr, c.found) << c.library << " " << c.name;
  }
}

}  // namespace
