#include "editor/search_window.h"

namespace editor {

void openSearchWindow() {}
void closeSearchWindow() {}
void searchFromWindow() {}
void findNext() {}
void findInEditor(const std::string& /*text*/, bool /*downward*/) {}

}  // namespace editor
