#include "editor/unicode_paste.h"

#include <richedit.h>

#include "app/app_state.h"

namespace editor {

namespace {

bool held(int key) { return GetKeyState(key) < 0; }

}  // namespace

bool isPaste(UINT message, WPARAM wParam) {
  if (message == WM_PASTE) return true;
  if (message != WM_KEYDOWN || held(VK_MENU)) return false;
  return (wParam == 'V' && held(VK_CONTROL) && !held(VK_SHIFT)) ||
         (wParam == VK_INSERT && held(VK_SHIFT) && !held(VK_CONTROL));
}

bool pasteUnicodeText() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  CallWindowProcW(app::state.editorPreviousProc, app::state.editorHandle, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
  return true;
}

}  // namespace editor
