#pragma once
// Enter with Shift held: the control would insert a line break inside the paragraph, which it hands
// out as a blank when the text is saved, so the file would lose the break the user saw.
#include <windows.h>

#include <iterator>

namespace editor {

// Held around the control's handling of a key message: for Shift+Enter, Shift counts as released,
// so the key breaks the line as Enter does.
class PlainEnter {
 public:
  PlainEnter(UINT message, WPARAM wParam);
  ~PlainEnter();
  PlainEnter(const PlainEnter&) = delete;
  PlainEnter& operator=(const PlainEnter&) = delete;

 private:
  static constexpr int shiftKeys[] = {VK_SHIFT, VK_LSHIFT, VK_RSHIFT};
  BYTE held_[std::size(shiftKeys)] = {};
  bool released_ = false;
};

}  // namespace editor
