#include "editor/line_number_gutter.h"

#include <richedit.h>

#include <algorithm>

#include "app/app_state.h"
#include "editor/editor_control.h"
#include "editor/enter_key.h"
#include "editor/gutter_layout.h"
#include "platform/win_handles.h"
#include "editor/unicode_paste.h"

namespace editor {

namespace {

using app::state;

int paintCount = 0;  // paints seen, including any a margin change causes while it is made
long presetLineCount = -1;  // while a text is loaded, the line count it will have
int paintDeferrals = 0;

long lineAtPoint(HWND control, LONG x, LONG y) {
  POINTL point{x, y};
  LRESULT character = SendMessageA(control, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point));
  return static_cast<long>(SendMessageA(control, EM_LINEFROMCHAR, static_cast<WPARAM>(character), 0));
}

POINTL positionOf(HWND control, LPARAM character) {
  POINTL point{0, 0};
  SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), character);
  return point;
}

// A wider or narrower margin when the line count gained or lost a digit; true when it changed.
bool fitGutter(long lineCount) {
  state.lineCountDigits = decimalDigits(lineCount);
  if (state.gutterDigits == state.lineCountDigits) return false;
  state.gutterDigits = state.lineCountDigits;
  setLeftMargin(gutterLeftMargin(state.gutterDigits));
  return true;
}

// Follows the control's line count after each paint; on a new margin the control repaints once more.
void followLineCount(HWND control, long controlLineCount) {
  // An empty control counts one line; one digit either way.
  long lineCount = presetLineCount >= 0 ? presetLineCount : controlLineCount;
  int paintsBefore = paintCount;
  // The band needs exactly one more paint; not every control repaints by itself on a change.
  if (fitGutter(lineCount) && paintCount == paintsBefore &&
      !GetUpdateRect(control, nullptr, FALSE)) {
    InvalidateRect(control, nullptr, FALSE);
  }
}

void drawGutter(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  const VisibleLines visible = visibleLines(control, client);
  const long firstVisible = visible.first;
  const long lastVisible = visible.last;

  platform::WindowDC dc(control);
  if (dc.get() == nullptr) return;
  state.gutterDC = dc.get();

  int separatorX = gutterSeparatorX(state.gutterDigits);
  {
    platform::GdiObject<HPEN> linePen(CreatePen(PS_SOLID, 1, state.gutterLineColour));
    platform::SelectedObject usePen(dc.get(), linePen.get());
    MoveToEx(dc.get(), separatorX, 0, nullptr);
    LineTo(dc.get(), separatorX, client.bottom - 1);
    SetPixelV(dc.get(), separatorX, client.bottom - 1, state.gutterLineColour);
  }
  {
    platform::GdiObject<HPEN> bandPen(CreatePen(PS_SOLID, 1, state.gutterBackColour));
    platform::GdiObject<HBRUSH> bandBrush(CreateSolidBrush(state.gutterBackColour));
    platform::SelectedObject usePen(dc.get(), bandPen.get());
    platform::SelectedObject useBrush(dc.get(), bandBrush.get());
    Rectangle(dc.get(), 0, 0, gutterBandWidth(state.gutterDigits), client.bottom);
  }
  if (marginStripUnpainted()) {
    RECT strip{separatorX + 1, 0, leftMargin(), client.bottom};
    platform::GdiObject<HBRUSH> background(CreateSolidBrush(editorBackColour()));
    FillRect(dc.get(), &strip, background.get());
  }

  followLineCount(control, visible.count);

  platform::SelectedObject useFont(dc.get(), state.gutterFont);
  // The numbers' font is larger than the text's: stepping by its height would put the numbers
  // ever further below their lines. Where the control's lines are not known (fewer than two), the
  // numbers step from the top by their own height.
  long lineHeight = visible.lineHeight;
  if (lineHeight <= 0) {
    SIZE letter{0, 0};
    GetTextExtentPoint32A(dc.get(), "M", 1, &letter);
    lineHeight = letter.cy;
  }
  if (lineHeight > 0) {
    SetTextColor(dc.get(), state.gutterNumberColour);
    SetROP2(dc.get(), R2_COPYPEN);
    int previousMode = SetBkMode(dc.get(), TRANSPARENT);
    long y = visible.lineHeight > 0 ? visible.top + firstVisible * lineHeight : 0;
    // A line cut off at the bottom gets no number.
    for (long i = firstVisible; i <= lastVisible && y + lineHeight <= client.bottom; ++i) {
      std::string number = gutterNumberText(i, state.lineCountDigits);
      TextOutA(dc.get(), 1, static_cast<int>(y) + 1, number.c_str(), static_cast<int>(number.size()));
      y += lineHeight;
    }
    SetBkMode(dc.get(), previousMode);
  }
  state.gutterDC = nullptr;
}

}  // namespace

// Every line of the one-font text is as high as the first, so where the first two lines sit gives
// every other one. The control's own lookups walk the text from its start: milliseconds each near
// the end of a large file, and the band needs two on every paint.
VisibleLines visibleLines(HWND control, const RECT& client) {
  const long lineCount = static_cast<long>(SendMessageA(control, EM_GETLINECOUNT, 0, 0));
  const LRESULT secondStart = SendMessageA(control, EM_LINEINDEX, 1, 0);
  if (lineCount < 2 || secondStart < 0) return {0, 0, lineCount, 0, 0};
  const LONG top = positionOf(control, 0).y;
  const LONG height = positionOf(control, secondStart).y - top;
  if (height <= 0) {
    return {lineAtPoint(control, 0, 0), lineAtPoint(control, client.right, client.bottom), lineCount, 0, 0};
  }
  auto lineAt = [&](LONG y) { return std::clamp<long>(y < top ? 0 : (y - top) / height, 0, lineCount - 1); };
  return {lineAt(0), lineAt(client.bottom), lineCount, top, height};
}

LRESULT CALLBACK editorGutterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Files dropped on the text open like files dropped on the window, after this message is done.
  if (message == WM_DROPFILES) {
    PostMessageA(GetParent(window), WM_DROPFILES, wParam, lParam);
    return 0;
  }
  // Not validated, so the update region stays for the loop's paint.
  if (message == WM_PAINT && paintDeferrals > 0) return 0;
  if (isPaste(message, wParam) && pasteUnicodeText()) return 0;
  EditorMessageNote note(message);
  LRESULT result;
  {
    PlainEnter enter(message, wParam);
    result = CallWindowProcW(state.editorPreviousProc, window, message, wParam, lParam);
  }
  if (message == WM_PAINT) {
    ++paintCount;
    drawGutter(window);
  }
  return result;
}

GutterPreset::GutterPreset(long lineCount) {
  if (lineCount < 1) return;
  presetLineCount = lineCount;
  fitGutter(lineCount);
}

// A text loaded while the control is still 0 x 0 is scrolled to keep the caret in a view with no
// room, left of which the band's margin already lies; it is shown from its start. Start-up sizes the
// control before it loads a file, so this only guards a load that comes before any size.
GutterPreset::~GutterPreset() {
  presetLineCount = -1;
  RECT client;
  GetClientRect(state.editorHandle, &client);
  if (!IsRectEmpty(&client)) return;
  POINT origin{0, 0};
  SendMessageA(state.editorHandle, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&origin));
}

DeferredPaint::DeferredPaint() { ++paintDeferrals; }

DeferredPaint::~DeferredPaint() { --paintDeferrals; }

}  // namespace editor
