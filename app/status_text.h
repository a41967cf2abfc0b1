#pragma once
// The cursor position as status field 0 shows it.
#include <string>

namespace app {

// A blank, the column, ":" and the line, both 1-based decimal numbers.
std::string cursorPositionText(long column, long line);

}  // namespace app
