#pragma once
// Go to line and its small modal input window.
#include <string>

namespace editor {

void goToLine();

// Shows the input window and returns the entered text, or "" when cancelled.
std::string askLine(const std::string& title, const std::string& prompt, const std::string& defaultText);

}  // namespace editor
