// The line-number band drawn over the text control after each of its paints.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "editor/editor_control.h"
#include "editor/gutter_layout.h"
#include "editor/line_number_gutter.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// A procedure put on top of the control's chain that counts what reaches the control, in order.
std::map<UINT, int> received;
std::vector<UINT> order;
int lastLeftMargin = 0;
WNDPROC belowCounter = nullptr;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++received[message];
  order.push_back(message);
  if (message == EM_SETMARGINS && (wParam & EC_LEFTMARGIN)) lastLeftMargin = LOWORD(lParam);
  return CallWindowProcA(belowCounter, window, message, wParam, lParam);
}

void countMessagesToEditor() {
  belowCounter = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countingProc)));
}

void repaint() {
  InvalidateRect(state.editorHandle, nullptr, FALSE);
  UpdateWindow(state.editorHandle);
  settle();
}

std::string lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
  text.resize(text.size() - 2);  // exactly count lines
  return text;
}

// A new margin costs exactly one more paint; each paint asks the control only a few questions,
// however long the text.
TEST_F(VelloroTest, MarginFollowsTheDigitsOfTheLineCountAtTheCostOfOneMorePaint) {
  startVelloro();
  countMessagesToEditor();
  setEditorText(lines(10));
  received.clear();
  repaint();
  EXPECT_EQ(received[WM_PAINT], 2);  // the one asked for and the one after the margin change
  const struct {
    int lineCount, digits, margin;  // margin 0: unchanged
  } steps[] = {{9, 1, 23}, {10, 2, 30}, {99, 2, 0}, {100, 3, 37}, {10000, 5, 51}, {1, 1, 23}};
  for (const auto& step : steps) {
    lastLeftMargin = 0;
    setEditorText(lines(step.lineCount));
    repaint();
    EXPECT_EQ(state.lineCountDigits, step.digits) << step.lineCount;
    EXPECT_EQ(state.gutterDigits, step.digits) << step.lineCount;
    EXPECT_EQ(lastLeftMargin, step.margin) << step.lineCount;
    received.clear();
    repaint();
    EXPECT_EQ(std::vector({received[WM_PAINT], received[EM_SETMARGINS]}), std::vector({1, 0})) << step.lineCount;
    EXPECT_LE(received[EM_GETLINECOUNT] + received[EM_CHARFROMPOS] + received[EM_LINEFROMCHAR], 5) << step.lineCount;
  }
  // Wrapped lines are numbered as the control shows them.
  setEditorText(std::string(2000, 'w'));
  SendMessageA(state.editorHandle, EM_SETTARGETDEVICE, 0, 0);
  repaint();
  ASSERT_GT(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0), 9);
  EXPECT_EQ(state.lineCountDigits, 2);
}

// GDI handles come from a table that reuses freed slots; objects that are never freed push newly
// made handles to ever higher slots.
unsigned slotOfNewPen() {
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  auto slot = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(pen) & 0xFFFF);
  DeleteObject(pen);
  return slot;
}

TEST_F(VelloroTest, BandIsDrawnInItsColoursForWholeLinesAndLeaksNoHandles) {
  startVelloro();
  state.gutterBackColour = RGB(10, 200, 30);
  state.gutterLineColour = RGB(200, 10, 10);
  state.gutterNumberColour = RGB(0, 0, 255);
  setEditorText(lines(3));
  repaint();
  HDC dc = GetDC(state.editorHandle);
  SelectObject(dc, state.gutterFont);
  SIZE letter;
  GetTextExtentPoint32A(dc, "M", 1, &letter);
  RECT client;
  GetClientRect(state.editorHandle, &client);
  // The band's inside, its separator line, and no band colour right of it.
  EXPECT_EQ(GetPixel(dc, 8, client.bottom - 2), RGB(10, 200, 30));
  EXPECT_EQ(GetPixel(dc, 17, client.bottom - 1), RGB(200, 10, 10));
  EXPECT_NE(GetPixel(dc, 18, client.bottom - 1), RGB(10, 200, 30));
  auto numberPixelsBetween = [&](int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < 24; ++x) count += GetPixel(dc, x, y) == RGB(0, 0, 255);
    }
    return count;
  };
  // One number per line height from y 1, and none below the third line.
  for (int line = 0; line < 3; ++line) {
    EXPECT_GT(numberPixelsBetween(line * letter.cy, (line + 1) * letter.cy + 1), 0) << line;
  }
  EXPECT_EQ(numberPixelsBetween(3 * letter.cy + 2, client.bottom), 0);

  // A client area two and a half lines high: the partly visible third line gets no number.
  setEditorText(lines(50));
  RECT window;
  GetWindowRect(state.editorHandle, &window);
  const int border = (window.bottom - window.top) - client.bottom;
  SetWindowPos(state.editorHandle, nullptr, 0, 0, window.right - window.left, letter.cy * 5 / 2 + border,
               SWP_NOMOVE | SWP_NOZORDER);
  repaint();
  GetClientRect(state.editorHandle, &client);
  EXPECT_GT(numberPixelsBetween(letter.cy, 2 * letter.cy + 1), 0);
  EXPECT_EQ(numberPixelsBetween(2 * letter.cy + 1, client.bottom), 0);
  ReleaseDC(state.editorHandle, dc);

  // A thousand paints free every pen, brush and device context they take.
  const unsigned before = slotOfNewPen();
  for (int i = 0; i < 1000; ++i) {
    InvalidateRect(state.editorHandle, nullptr, FALSE);
    UpdateWindow(state.editorHandle);
  }
  const unsigned after = slotOfNewPen();
  EXPECT_LT(after > before ? after - before : before - after, 20u);
}

// Between the separator and the margin only background shows (a glyph may bleed one pixel left of
// the margin): no text is drawn under the band, also for a file loaded before the window had its size.
TEST_F(VelloroTest, TextStartsRightOfTheBandAfterTheWindowGotItsSize) {
  writeFile(folder + "strip.txt", "MMMMMMMM\r\nWWWWWWWW");
  startVelloro("velloro.exe strip.txt");
  select(-1, -1);  // the caret away from the margin
  settle();
  for (int width : {0, 500, 900}) {
    if (width != 0) {
      SetWindowPos(state.mainWindowHandle, nullptr, 0, 0, width, 400, SWP_NOMOVE | SWP_NOZORDER);
      settle();
    }
    HDC dc = GetDC(state.editorHandle);
    const COLORREF background = GetPixel(dc, 200, 200);
    int inkBeforeMargin = 0, inkAfterMargin = 0;
    for (int y = 0; y < 30; ++y) {
      for (int x = 18; x < 23; ++x) inkBeforeMargin += GetPixel(dc, x, y) != background;
      for (int x = 24; x < 60; ++x) inkAfterMargin += GetPixel(dc, x, y) != background;
    }
    ReleaseDC(state.editorHandle, dc);
    EXPECT_EQ(inkBeforeMargin, 0) << width;
    EXPECT_GT(inkAfterMargin, 0) << width;
  }
}

// A new margin makes the control lay its whole text out again: an opened file gets its margin
// while the control is still without the new text, for every line-end style.
TEST_F(VelloroTest, OpenedFileGetsTheMarginForItsLinesBeforeItsTextArrives) {
  startVelloro();
  countMessagesToEditor();
  const struct {
    const char* lineEnd;
    int lineCount, digits;
  } cases[] = {{"\r\n", 12345, 5}, {"\n", 150, 3}, {"\r", 9, 1}};
  for (const auto& c : cases) {
    std::string text;
    for (int i = 1; i < c.lineCount; ++i) text += "Zeile" + std::string(c.lineEnd);
    writeFile(folder + "lines.txt", text + "Ende");
    order.clear();
    ASSERT_TRUE(runAnswering(app::Open, "Öffnen", chooseFile(folder + "lines.txt"))) << c.lineCount;
    repaint();
    EXPECT_EQ(state.gutterDigits, c.digits) << c.lineCount;
    auto streamIn = std::find(order.begin(), order.end(), static_cast<UINT>(EM_STREAMIN));
    ASSERT_NE(streamIn, order.end()) << c.lineCount;
    EXPECT_EQ(std::count(streamIn, order.end(), static_cast<UINT>(EM_SETRECT)), 0) << c.lineCount;
    EXPECT_EQ(std::count(streamIn, order.end(), static_cast<UINT>(EM_SETMARGINS)), 0) << c.lineCount;
    EXPECT_EQ(editor::leftMargin(), editor::gutterLeftMargin(c.digits)) << c.lineCount;
  }
}

}  // namespace

namespace {

// The control's own answer: the lines of the characters nearest the top left and bottom right.
editor::VisibleLines linesByLookup() {
  RECT client;
  GetClientRect(state.editorHandle, &client);
  auto lineAt = [](LONG x, LONG y) {
    POINTL point{x, y};
    const LRESULT character = SendMessageA(state.editorHandle, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point));
    return static_cast<long>(SendMessageA(state.editorHandle, EM_LINEFROMCHAR, character, 0));
  };
  return {lineAt(0, 0), lineAt(client.right, client.bottom), 0};
}

TEST_F(VelloroTest, VisibleLinesComeFromTheFirstTwoLinesAsTheControlWouldFindThem) {
  startVelloro();
  const std::string longLine(300, 'w');
  const struct {
    std::string text;
    bool wrap;
  } texts[] = {{"", false}, {"eine Zeile", false}, {lines(300), false}, {lines(40) + "\r\n" + longLine + " " + longLine, true},
                  {longLine + " " + longLine + "\r\n" + lines(40), true}};
  for (const auto& t : texts) {
    editor::setWordWrap(t.wrap);
    setEditorText(t.text);
    settle();
    const long lineCount = static_cast<long>(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0));
    // Scrolled by whole lines, by parts of a line, and to the end.
    for (LONG y : {0L, 7L, 100L, 333L, 2000L, 99999L}) {
      POINT scroll{0, y};
      SendMessageA(state.editorHandle, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
      const editor::VisibleLines expected = linesByLookup();
      RECT client;
      GetClientRect(state.editorHandle, &client);
      const editor::VisibleLines actual = editor::visibleLines(state.editorHandle, client);
      EXPECT_EQ(actual.first, expected.first) << lineCount << " lines, y " << y;
      EXPECT_EQ(actual.last, expected.last) << lineCount << " lines, y " << y;
    }
  }
  editor::setWordWrap(false);
}

}  // namespace
