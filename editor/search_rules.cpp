#include "editor/search_rules.h"

namespace editor {

SearchRange searchRange(long selectionStart, long selectionEnd, bool downward) {
  return downward ? SearchRange{selectionEnd, -1} : SearchRange{selectionStart, 0};
}

FindNextPlan planFindNext(std::string_view rememberedText, int rememberedUpward) {
  return {rememberedText.empty(), rememberedUpward != 1};
}

}  // namespace editor
