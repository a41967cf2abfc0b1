#include "app/status_text.h"

namespace app {

std::string cursorPositionText(long column, long line) {
  return " " + std::to_string(column) + ":" + std::to_string(line);
}

}  // namespace app
