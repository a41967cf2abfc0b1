#pragma once
// What one search step looks at and what Find Next does, apart from the windows.
#include <string_view>

namespace editor {

// A character range as the text control's search takes it; -1 as `to` means the end of the text.
struct SearchRange {
  long from;
  long to;
};

// Downward: from the selection's end to the end of the text. Upward: from the selection's start
// back to the start of the text, so a hit that is already selected is not found again.
SearchRange searchRange(long selectionStart, long selectionEnd, bool downward);

struct FindNextPlan {
  bool openWindowFirst;  // nothing remembered yet: the Find window is opened before the search
  bool downward;
};

// Only the value 1 means upward; anything else searches downward.
FindNextPlan planFindNext(std::string_view rememberedText, int rememberedUpward);

}  // namespace editor
