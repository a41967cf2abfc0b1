// The line-number band drawn over the text control after each of its paints.

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "document/document_state.h"
#include "editor/editor_control.h"
#include "editor/gutter_layout.h"
#include "editor/line_number_gutter.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/import_patch.h"

namespace {

using namespace gui_test;
using app::state;

void repaint() {
  InvalidateRect(state.editorHandle, nullptr, FALSE);
  UpdateWindow(state.editorHandle);
  settle();
}

std::string lines(int count, const char* lineEnd = "\r\n") {
  std::string text = "line 1";
  for (int i = 2; i <= count; ++i) text += lineEnd + ("line " + std::to_string(i));
  return text;
}

// The band numbers the lines the control shows: its own answer for the characters nearest the
// top left and bottom right, scrolled by whole lines, by parts of a line and to the end. Each whole
// line shown gets one number, beside it: the numbers follow the text's own line height, not the
// taller one of their font, also with the view scrolled by part of a line.
TEST_F(VelloroTest, VisibleLinesAreTheOnesTheControlShowsEachNumberedBesideIt) {
  startVelloro();
  const std::string wrapped = std::string(300, 'w') + " " + std::string(300, 'w');
  RECT client;
  auto lineAt = [](LONG x, LONG y) {
    POINTL point{x, y};
    const LRESULT character = SendMessageA(state.editorHandle, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point));
    return static_cast<long>(SendMessageA(state.editorHandle, EM_LINEFROMCHAR, character, 0));
  };
  for (const auto& [text, wrap] :
       {std::pair(lines(300), false), {lines(40) + "\r\n" + wrapped, true}, {wrapped + "\r\n" + lines(40), true}}) {
    SCOPED_TRACE(text.size());
    editor::setWordWrap(wrap);
    setEditorText(text);
    for (LONG y : {0L, 7L, 333L, 99999L}) {
      POINT scroll{0, y};
      SendMessageA(state.editorHandle, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
      repaint();
      GetClientRect(state.editorHandle, &client);
      const editor::VisibleLines shown = editor::visibleLines(state.editorHandle, client);
      EXPECT_EQ(shown.first, lineAt(0, 0)) << "y " << y;
      EXPECT_EQ(shown.last, lineAt(client.right, client.bottom)) << "y " << y;
      if (wrap || y > 7) continue;
      POINTL first{0, 0}, second{0, 0};
      SendMessageA(state.editorHandle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
      SendMessageA(state.editorHandle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second),
                   SendMessageA(state.editorHandle, EM_LINEINDEX, 1, 0));
      const LONG height = second.y - first.y;
      ASSERT_GT(height, 0);
      // The numbers as runs of band rows holding anything but the band's colour; one cut by the top
      // edge is left out.
      std::vector<long> linesOfNumbers;
      HDC dc = GetDC(state.editorHandle);
      for (LONG row = 0, runStart = -1; row <= client.bottom; ++row) {
        bool ink = false;
        for (int x = 0; row < client.bottom && x < editor::gutterBandWidth(state.gutterDigits) && !ink; ++x)
          ink = GetPixel(dc, x, row) != state.gutterBackColour;
        if (ink && runStart < 0) runStart = row;
        if (!ink && runStart >= 0) {
          if (runStart > 0) linesOfNumbers.push_back(((runStart + row - 1) / 2 - first.y) / height);
          runStart = -1;
        }
      }
      ReleaseDC(state.editorHandle, dc);
      std::vector<long> wholeLines;
      for (long line = 0; first.y + (line + 1) * height <= client.bottom; ++line)
        if (first.y + line * height >= 0) wholeLines.push_back(line);
      EXPECT_EQ(linesOfNumbers, wholeLines) << "y " << y;
    }
  }
}

// Where the text begins, as a user sees it: the control places its first character right of the
// band, and the ink of the first line, a single "W", lies right of it too. Text under the band is
// painted over by it, so a hidden "W" leaves no ink at all.
void expectTextRightOfBand(const std::string& step) {
  SCOPED_TRACE(step);
  settle();
  repaint();
  RECT client;
  GetClientRect(state.editorHandle, &client);
  const int separator = editor::gutterSeparatorX(state.gutterDigits);
  POINTL first{0, 0};
  SendMessageA(state.editorHandle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
  EXPECT_GT(first.x, separator);
  bool ink = false;
  HDC dc = GetDC(state.editorHandle);
  for (LONG y = std::max(first.y, 0L); y < first.y + 12 && y < client.bottom && !ink; ++y) {
    for (LONG x = separator + 1; x < client.right && !ink; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      ink = pixel != CLR_INVALID && GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 384;
    }
  }
  ReleaseDC(state.editorHandle, dc);
  EXPECT_TRUE(ink) << "no ink of the first line right of the band";
}

// The control learns of the band only once it has a size: at start-up it has none, also while a
// file named on the command line loads.
TEST_F(VelloroTest, TextBeginsRightOfTheBandWhereverItComesFrom) {
  for (int lineCount : {5, 982, 12000}) {
    writeFile(folder + "start.txt", "W\r\n" + lines(lineCount - 1));
    startVelloro("velloro.exe " + folder + "start.txt");
    expectTextRightOfBand("command line, " + std::to_string(lineCount) + " lines");
    app::exitSequence();
  }
  startVelloro();
  typeIntoEditor("W\nABCDEFGH typed");
  expectTextRightOfBand("typed");
  // The band is as wide as the digits of the line count.
  for (const auto& [lineCount, digits] : {std::pair(10, 2), {100, 3}, {10000, 5}, {9, 1}, {1, 1}}) {
    setEditorText("W" + (lineCount > 1 ? "\r\n" + lines(lineCount - 1) : ""));
    expectTextRightOfBand("band for " + std::to_string(lineCount) + " lines");
    EXPECT_EQ(state.gutterDigits, digits) << lineCount;
  }
  // Wrapped lines count as the control shows them. Word wrap is refused while a file is open.
  setEditorText("W\r\n" + std::string(2000, 'w'));
  for (bool wrap : {true, false}) {
    runCommand(app::WordWrap);
    expectTextRightOfBand(wrap ? "wrapped" : "unwrapped");
    EXPECT_EQ(state.gutterDigits, wrap ? 2 : 1);
  }
  document::markClean();  // the typed text asks no question before the open
  writeFile(folder + "dialog.txt", "W\n" + lines(150, "\n"));
  ASSERT_TRUE(runAnswering(app::Open, "Öffnen", chooseFile(folder + "dialog.txt")));
  expectTextRightOfBand("Open dialog");
  EXPECT_EQ(state.gutterDigits, 3);
  writeFile(folder + "dropped.txt", "W\r\n" + lines(20));
  PostMessageA(state.mainWindowHandle, WM_DROPFILES, dropBlock(folder + "dropped.txt" + '\0'), 0);
  expectTextRightOfBand("dropped");
  ASSERT_EQ(state.currentPath, folder + "dropped.txt");
  SetWindowPos(state.mainWindowHandle, nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER);
  expectTextRightOfBand("resized");
  ShowWindow(state.mainWindowHandle, SW_MAXIMIZE);
  expectTextRightOfBand("maximised");
  ShowWindow(state.mainWindowHandle, SW_RESTORE);
  expectTextRightOfBand("restored");
  runCommand(app::MinimizeToTray);
  ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
  settle();
  runCommand(app::RestoreFromTray);
  expectTextRightOfBand("back from the notification area");
}

// Paints that reach the control itself, counted below the program's own handler.
int controlPaints = 0;
WNDPROC controlProc = nullptr;
LRESULT CALLBACK countControlPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++controlPaints;
  return CallWindowProcA(controlProc, window, message, wParam, lParam);
}

// A jump out of view used to be painted twice: once inside the control's own selection change and
// again for the view it left invalid.
TEST_F(VelloroTest, JumpsOutOfViewArePaintedOnceAndShowTheTarget) {
  startVelloro();
  setEditorText(lines(2999) + "\r\nZiel");
  settle();
  controlProc = std::exchange(state.editorPreviousProc, &countControlPaints);
  struct Jump {
    const char* name;
    std::function<void()> run;
    long line;  // from 0
  } jumps[] = {
      {"Find Next", [] { state.searchText = "Ziel"; runCommand(app::FindNext); }, 2999},
      {"back to the first line", [] { editor::moveCursorTo(1, 1); }, 0},
  };
  for (const Jump& jump : jumps) {
    SCOPED_TRACE(jump.name);
    controlPaints = 0;
    jump.run();
    settle();
    EXPECT_EQ(controlPaints, 1);
    EXPECT_EQ(SendMessageA(state.editorHandle, EM_EXLINEFROMCHAR, 0, selection().cpMin), jump.line);
    RECT client;
    GetClientRect(state.editorHandle, &client);
    editor::VisibleLines visible = editor::visibleLines(state.editorHandle, client);
    EXPECT_LE(visible.first, jump.line);
    EXPECT_GE(visible.last, jump.line);
    EXPECT_FALSE(GetUpdateRect(state.editorHandle, nullptr, FALSE));
  }
  state.editorPreviousProc = controlProc;
}

// The program's own GDI calls while a GdiWatch lives: the pens, brushes and fonts it created and has
// not deleted, and slips Wine forgives but Windows does not: an object deleted while still selected
// (Windows refuses and keeps it; Wine deletes it later), a device context handed back with other
// objects selected than it came with.
struct Selected {
  HGDIOBJ pen, brush, font;
  bool operator==(const Selected&) const = default;
};
Selected selectedIn(HDC dc) {
  return {GetCurrentObject(dc, OBJ_PEN), GetCurrentObject(dc, OBJ_BRUSH), GetCurrentObject(dc, OBJ_FONT)};
}
struct GdiRecord {
  int created = 0;
  std::map<HGDIOBJ, std::string> undeleted;
  std::map<HDC, Selected> held;  // got and not yet handed back
  std::vector<std::string> slips;
} record;

decltype(CreatePen)* systemCreatePen;
decltype(CreateSolidBrush)* systemCreateSolidBrush;
decltype(CreateFontA)* systemCreateFont;
decltype(DeleteObject)* systemDeleteObject;
decltype(GetDC)* systemGetDC;
decltype(ReleaseDC)* systemReleaseDC;

template <typename Object>
Object created(Object object, const char* kind) {
  ++record.created;
  if (object != nullptr) record.undeleted[object] = kind;
  return object;
}
HPEN WINAPI watchedCreatePen(int style, int width, COLORREF colour) {
  return created(systemCreatePen(style, width, colour), "pen");
}
HBRUSH WINAPI watchedCreateSolidBrush(COLORREF colour) { return created(systemCreateSolidBrush(colour), "brush"); }
HFONT WINAPI watchedCreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                               DWORD underline, DWORD strikeOut, DWORD charset, DWORD precision, DWORD clipping,
                               DWORD quality, DWORD pitch, LPCSTR face) {
  return created(systemCreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                  charset, precision, clipping, quality, pitch, face),
                 "font");
}
BOOL WINAPI watchedDeleteObject(HGDIOBJ object) {
  for (const auto& [dc, before] : record.held) {
    if (GetCurrentObject(dc, GetObjectType(object)) == object) record.slips.push_back("deleted while selected");
  }
  record.undeleted.erase(object);
  return systemDeleteObject(object);
}
HDC WINAPI watchedGetDC(HWND window) {
  HDC dc = systemGetDC(window);
  if (dc != nullptr) record.held[dc] = selectedIn(dc);
  return dc;
}
int WINAPI watchedReleaseDC(HWND window, HDC dc) {
  if (auto got = record.held.find(dc); got != record.held.end()) {
    if (selectedIn(dc) != got->second) record.slips.push_back("handed back with other objects selected");
    record.held.erase(got);
  }
  return systemReleaseDC(window, dc);
}

class GdiWatch {
 public:
  GdiWatch() {
    record = GdiRecord{};
    systemCreatePen = watch("gdi32.dll", "CreatePen", &watchedCreatePen);
    systemCreateSolidBrush = watch("gdi32.dll", "CreateSolidBrush", &watchedCreateSolidBrush);
    systemCreateFont = watch("gdi32.dll", "CreateFontA", &watchedCreateFont);
    systemDeleteObject = watch("gdi32.dll", "DeleteObject", &watchedDeleteObject);
    systemGetDC = watch("user32.dll", "GetDC", &watchedGetDC);
    systemReleaseDC = watch("user32.dll", "ReleaseDC", &watchedReleaseDC);
  }

 private:
  template <typename Function>
  Function* watch(const char* dll, const char* name, Function* replacement) {
    patches_.push_back(std::make_unique<ImportPatch>(dll, name, reinterpret_cast<const void*>(replacement)));
    EXPECT_TRUE(patches_.back()->applied()) << name;
    return patches_.back()->original<Function>();
  }
  std::vector<std::unique_ptr<ImportPatch>> patches_;
};

// Fifty paints of the band over a long text and over an empty one: each deletes what it created,
// never while it is still selected, and hands its device context back as it got it. Otherwise a
// program on Windows loses a GDI object per paint until drawing fails.
TEST_F(VelloroTest, PaintsDeleteWhatTheyCreateAndHandBackTheDeviceContextAsTheyGotIt) {
  startVelloro();
  for (const std::string& text : {lines(300), std::string()}) {
    setEditorText(text);
    settle();
    GdiWatch watch;
    for (int paint = 0; paint < 50; ++paint) repaint();
    EXPECT_GE(record.created, 50) << "the paints did not go through the watched calls";
    std::string undeleted;
    for (const auto& [object, kind] : record.undeleted) undeleted += kind + " ";
    EXPECT_EQ(undeleted, "") << text.size();
    EXPECT_EQ(record.slips, std::vector<std::string>()) << text.size();
  }
}

}  // namespace
