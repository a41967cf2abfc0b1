#include "editor/enter_key.h"

namespace editor {

namespace {

bool isShiftedEnter(UINT message, WPARAM wParam) {
  const bool enter = (message == WM_KEYDOWN && wParam == VK_RETURN) || (message == WM_CHAR && wParam == '\r');
  return enter && GetKeyState(VK_SHIFT) < 0;
}

}  // namespace

PlainEnter::PlainEnter(UINT message, WPARAM wParam) {
  BYTE keys[256];
  if (!isShiftedEnter(message, wParam) || !GetKeyboardState(keys)) return;
  for (std::size_t i = 0; i < std::size(shiftKeys); ++i) {
    held_[i] = keys[shiftKeys[i]];
    keys[shiftKeys[i]] = 0;
  }
  released_ = SetKeyboardState(keys) != FALSE;
}

PlainEnter::~PlainEnter() {
  BYTE keys[256];
  if (!released_ || !GetKeyboardState(keys)) return;
  for (std::size_t i = 0; i < std::size(shiftKeys); ++i) keys[shiftKeys[i]] = held_[i];
  SetKeyboardState(keys);
}

}  // namespace editor
