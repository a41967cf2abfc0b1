#pragma once
// Every read or change of the text control goes through these operations.
#include <windows.h>

namespace editor {

// Creates control 1 of the main window with its font, gutter subclass and first margin.
void createEditorControl(HWND mainWindow);

void setEditorFontName(const char* name);
void setEditorFontSize(int size);
void setEditorTextColour(COLORREF colour);  // CLR_INVALID (-1) returns to the system colour
void setEditorBackColour(COLORREF colour);
void resizeEditorControl(int x, int y, int width, int height);

// The left margin that keeps the text clear of the line numbers; it is kept across resizes.
void setLeftMargin(int pixels);
int leftMargin();

// True for a control that ignores margins: it gets a formatting rectangle instead and leaves the
// strip left of it unpainted, which its owner then fills with the editor's background colour.
bool marginStripUnpainted();
COLORREF editorBackColour();

// Wraps lines at the control's edge (true) or not at all (false).
void setWordWrap(bool on);

// The plain edit commands act on the control whether or not it has the focus.
void undo();
void redo();
void cut();
void copy();
void paste();
void deleteSelection();

// Selects and scrolls it into view; a jump out of view is painted once, by the event loop.
void selectRange(long from, long to);
void selectAllText();
void insertText(const char* text);  // EM_REPLACESEL, not undoable
void clearAllText();
void clearModifiedFlag();
bool readModifiedFlag();

struct CursorPosition {
  long line;    // 1-based, of the selection's start
  long column;  // 1-based, counted from that line's start to the selection's end
};
// Looked up again only when the selection moved or a message that may change the text or its
// layout reached the control since the last lookup; the control walks its text for every line.
CursorPosition cursorPosition();
long cursorLine();
long cursorColumn();
void moveCursorTo(long line, long column);

// Put at the top of the control's subclass procedure: notes a message that may change the text or
// its layout (anything not known to only read), before and after the control handles it.
class EditorMessageNote {
 public:
  explicit EditorMessageNote(UINT message);
  ~EditorMessageNote();
  EditorMessageNote(const EditorMessageNote&) = delete;
  EditorMessageNote& operator=(const EditorMessageNote&) = delete;

 private:
  bool changes_;
};

}  // namespace editor
