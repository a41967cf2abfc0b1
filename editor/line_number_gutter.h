#pragma once
// The line numbers drawn into the left band of the text control after each of its paints.
#include <windows.h>

namespace editor {

LRESULT CALLBACK editorGutterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The lines (from 0) at the top and the bottom edge of the control's client area, the first and
// last of them partly visible or not, and how many lines the control has; where the first line
// stands and the height of every line, 0 when the control has fewer than two lines.
struct VisibleLines {
  long first;
  long last;
  long count;
  long top;
  long lineHeight;
};
VisibleLines visibleLines(HWND control, const RECT& client);

// Held while a text of lineCount lines is loaded (0: not known, nothing is fitted): the band and
// the text's margin fit it before it arrives, and paints meanwhile keep them. A new margin after the load would make the control lay
// the whole text out again, which takes seconds for megabytes.
class GutterPreset {
 public:
  explicit GutterPreset(long lineCount);
  ~GutterPreset();
  GutterPreset(const GutterPreset&) = delete;
  GutterPreset& operator=(const GutterPreset&) = delete;
};

// While one exists, a paint the control asks for at once is left to the event loop. Moving the
// selection out of view makes the control scroll and paint its whole view, then leave all of it
// invalid again: without this every jump would be painted twice.
class DeferredPaint {
 public:
  DeferredPaint();
  ~DeferredPaint();
  DeferredPaint(const DeferredPaint&) = delete;
  DeferredPaint& operator=(const DeferredPaint&) = delete;
};

}  // namespace editor
