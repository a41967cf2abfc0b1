#pragma once
// What the document needs of the shell around it: the status bar's document and encoding fields
// and the exit sequence. The shell registers them at start-up.
#include <string>

namespace document {

struct ShellCalls {
  void (*setStatus)(const std::string& text) = nullptr;
  std::string (*status)() = nullptr;
  void (*exitSequence)() = nullptr;  // ends the program
  void (*setEncodingStatus)(const std::string& text) = nullptr;
};

void setShellCalls(const ShellCalls& calls);
const ShellCalls& shellCalls();

}  // namespace document
