#include "editor/editor_control.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "app/app_state.h"
#include "app/object_ids.h"
#include "editor/gutter_layout.h"
#include "editor/line_number_gutter.h"
#include "platform/system_library.h"

namespace editor {

namespace {

using app::state;

constexpr int editorFontSize = 11;
constexpr int twipsPerSizeUnit = 15;
// Without a raised limit the control stops accepting typed text at 32,767 characters.
constexpr LPARAM editorTextLimit = 0x7FFFFFFE;

// The Unicode class, so that the control takes every character typed; the older library has none.
const wchar_t* editorClassName() {
  static const wchar_t* className = nullptr;
  if (className == nullptr) {
    if (platform::loadSystemLibrary("RICHED20.DLL") != nullptr) {
      className = L"RichEdit20W";
    } else {
      platform::loadSystemLibrary("RICHED32.DLL");
      className = L"RichEdit";
    }
  }
  return className;
}

HFONT createGutterFont() {
  HDC screen = GetDC(nullptr);
  int pixelsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return CreateFontA(-MulDiv(editorFontSize, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, "Courier");
}

int margin = initialLeftMargin;
bool marginsByRectangle = false;
COLORREF backColour = CLR_INVALID;  // the control's own until the settings give one

LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(state.editorHandle, message, wParam, lParam);
}

void setFormattingRectangle(const RECT& client) {
  RECT format{margin, client.top + 1, client.right, client.bottom};
  send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
}

// A control still 0 x 0 (at start-up) would drop the rectangle. While it holds no text it gets a
// size just long enough to take it; it keeps it across resizes, moving the right and bottom edges.
void takeRectangleWhileEmpty() {
  if (GetWindowTextLengthW(state.editorHandle) != 0) return;
  constexpr UINT quietly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  SetWindowPos(state.editorHandle, nullptr, 0, 0, margin + 100, 100, quietly);
  RECT client;
  GetClientRect(state.editorHandle, &client);
  if (!IsRectEmpty(&client)) setFormattingRectangle(client);
  SetWindowPos(state.editorHandle, nullptr, 0, 0, 0, 0, quietly);
}

// Some rich-edit controls ignore margins and would draw the text under the line numbers; they
// get a formatting rectangle that starts right of the band instead. Such a control clips the
// rectangle to its client area, so one given while it is 0 x 0 is lost.
void applyFormattingRectangle() {
  if (!marginsByRectangle) return;
  RECT client;
  GetClientRect(state.editorHandle, &client);
  if (IsRectEmpty(&client)) {
    takeRectangleWhileEmpty();
  } else {
    setFormattingRectangle(client);
  }
}

void applyLeftMargin() {
  send(EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(margin, 0));
  marginsByRectangle = LOWORD(send(EM_GETMARGINS)) != margin;
  applyFormattingRectangle();
}

CHARRANGE selection() {
  CHARRANGE range{0, 0};
  send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

// Messages that only read the control or only draw it; every other message may change the text,
// the selection or where lines wrap (a resize does), so it counts as a change.
bool onlyReads(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETDLGCODE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETFONT:
    case EM_GETSEL:
    case EM_EXGETSEL:
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_GETLINECOUNT:
    case EM_CHARFROMPOS:
    case EM_POSFROMCHAR:
    case EM_GETFIRSTVISIBLELINE:
    case EM_GETTEXTLENGTHEX:
    case EM_GETMODIFY:
    case EM_GETRECT:
    case EM_GETMARGINS:
    case EM_FINDTEXTEX:
    case EM_GETTEXTRANGE:
    case EM_GETSCROLLPOS:
    case EM_CANUNDO:
    case EM_CANREDO:
    case EM_CANPASTE:
    case EM_STREAMOUT:
    case EM_SETMODIFY:  // a flag only; every save and load ends with it
      return true;
    default:
      return false;
  }
}

unsigned long changeCount = 0;

struct PositionLookup {
  bool valid = false;
  unsigned long changeCount = 0;
  CHARRANGE selection{0, 0};
  CursorPosition position{1, 1};
};
PositionLookup lastLookup;

}  // namespace

// The scroll bars are always shown: a scroll bar that appears changes the control's client size,
// and the control then lays out all of its text again, while a file streams in too (10 MB took
// minutes that way, 6 s with the bars shown).
void createEditorControl(HWND mainWindow) {
  state.editorHandle = CreateWindowExW(
      WS_EX_CLIENTEDGE, editorClassName(), L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
          ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | ES_DISABLENOSCROLL,
      5, 28, 0, 0, mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(app::editorControlId)),
      state.instance, nullptr);
  lastLookup.valid = false;
  if (state.editorHandle == nullptr) return;
  send(EM_EXLIMITTEXT, 0, editorTextLimit);

  state.gutterFont = createGutterFont();
  setEditorFontName(state.editorFontName.c_str());
  setEditorFontSize(editorFontSize);

  state.editorPreviousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editorGutterProc)));
  backColour = CLR_INVALID;
  setLeftMargin(initialLeftMargin);
}

void setEditorFontName(const char* name) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE;
  std::size_t length = std::min(std::strlen(name), sizeof format.szFaceName - 1);
  std::memcpy(format.szFaceName, name, length);
  format.szFaceName[length] = '\0';
  send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void setEditorFontSize(int size) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_SIZE;
  format.yHeight = size * twipsPerSizeUnit;
  send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void setEditorTextColour(COLORREF colour) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = colour;
  format.dwEffects = colour == CLR_INVALID ? CFE_AUTOCOLOR : 0;
  send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void setEditorBackColour(COLORREF colour) {
  backColour = colour;
  send(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(colour));
}

COLORREF editorBackColour() { return backColour == CLR_INVALID ? GetSysColor(COLOR_WINDOW) : backColour; }

void resizeEditorControl(int x, int y, int width, int height) {
  MoveWindow(state.editorHandle, x, y, width, height, TRUE);
}

void setLeftMargin(int pixels) {
  margin = pixels;
  applyLeftMargin();
}

int leftMargin() { return margin; }

bool marginStripUnpainted() { return marginsByRectangle; }

void setWordWrap(bool on) { send(EM_SETTARGETDEVICE, 0, on ? 0 : -1); }

void undo() { send(EM_UNDO); }
void redo() { send(EM_REDO); }
void cut() { send(WM_CUT); }
void copy() { send(WM_COPY); }
void paste() { send(WM_PASTE); }
void deleteSelection() { send(WM_CLEAR); }

void selectRange(long from, long to) {
  CHARRANGE range{from, to};
  DeferredPaint onePaint;
  send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void selectAllText() { selectRange(0, -1); }

void insertText(const char* text) { send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text)); }

void clearAllText() { send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); }

void clearModifiedFlag() { send(EM_SETMODIFY, 0); }

bool readModifiedFlag() { return send(EM_GETMODIFY) != 0; }

CursorPosition cursorPosition() {
  CHARRANGE range = selection();
  if (lastLookup.valid && lastLookup.changeCount == changeCount && lastLookup.selection.cpMin == range.cpMin &&
      lastLookup.selection.cpMax == range.cpMax) {
    return lastLookup.position;
  }
  // The line is looked up once for both numbers.
  LRESULT line = send(EM_EXLINEFROMCHAR, 0, range.cpMin);
  LRESULT lineStart = send(EM_LINEINDEX, static_cast<WPARAM>(line));
  CursorPosition position{static_cast<long>(line) + 1, range.cpMax - static_cast<long>(lineStart) + 1};
  lastLookup = {true, changeCount, range, position};
  return position;
}

long cursorLine() { return cursorPosition().line; }

long cursorColumn() { return cursorPosition().column; }

void moveCursorTo(long line, long column) {
  LRESULT start = send(EM_LINEINDEX, static_cast<WPARAM>(line - 1));
  LRESULT length = send(EM_LINELENGTH, static_cast<WPARAM>(start));
  LONG position = length >= column - 1 ? static_cast<LONG>(start + column - 1) : static_cast<LONG>(start);
  selectRange(position, position);
}

EditorMessageNote::EditorMessageNote(UINT message) : changes_(!onlyReads(message)) {
  if (changes_) ++changeCount;
}

// Again afterwards: a lookup made while the control handled the message may have seen it half done.
EditorMessageNote::~EditorMessageNote() {
  if (changes_) ++changeCount;
}

}  // namespace editor
