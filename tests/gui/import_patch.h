#pragma once
// Puts a test's own function in place of one the program imports from a system DLL, for as long as
// the patch lives: the program's calls reach the replacement, the system's own calls do not. This
// is how a test makes a disk fill up or watches the program's GDI objects.
#include <windows.h>

#include <vector>

namespace gui_test {

class ImportPatch {
 public:
  // dll as the import table names it ("kernel32.dll", any letter case).
  ImportPatch(const char* dll, const char* function, const void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // False when the program does not import the function, so nothing was replaced.
  bool applied() const { return !slots_.empty(); }
  // The system's function, for a replacement that passes calls on.
  template <typename Function>
  Function* original() const {
    return reinterpret_cast<Function*>(original_);
  }

 private:
  std::vector<void**> slots_;
  void* original_ = nullptr;
};

}  // namespace gui_test
