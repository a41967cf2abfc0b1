#pragma once
// Pasting takes the clipboard's Unicode text first. The control would take its own rich text
// first, and a rich-text copy may carry characters beyond the ANSI code page only as best-fit
// stand-ins ("Ł" as "L"), as Wine's control writes it.
#include <windows.h>

namespace editor {

// WM_PASTE, Ctrl+V or Shift+Insert reaching the control.
bool isPaste(UINT message, WPARAM wParam);
// Pastes the clipboard's Unicode text over the selection; false when there is none, and the
// control pastes as it would.
bool pasteUnicodeText();

}  // namespace editor
