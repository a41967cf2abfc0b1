#pragma once
// What the document needs of the shell around it: the status bar's document field and the exit
// sequence. The shell registers them at start-up.
#include <string>

namespace document {

struct ShellCalls {
  void (*setStatus)(const std::string& text) = nullptr;
  std::string (*status)() = nullptr;
  void (*exitSequence)() = nullptr;  // ends the program
};

void setShellCalls(const ShellCalls& calls);
const ShellCalls& shellCalls();

}  // namespace document
