#include "editor/gutter_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(GutterLayout, GeometryPerDigitCount) {
  struct Case {
    int digits, band, separator, margin;
  };
  const Case cases[] = {
      {1, 17, 17, 23}, {2, 24, 24, 30}, {3, 31, 31, 37}, {4, 38, 38, 44}, {5, 45, 45, 51},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(editor::gutterBandWidth(c.digits), c.band) << c.digits;
    EXPECT_EQ(editor::gutterSeparatorX(c.digits), c.separator) << c.digits;
    EXPECT_EQ(editor::gutterLeftMargin(c.digits), c.margin) << c.digits;
  }
  // The margin set at creation matches no digit count, so the first change of digits is always seen.
  EXPECT_NE(editor::initialLeftMargin, editor::gutterLeftMargin(1));
}

TEST(GutterLayout, DecimalDigits) {
  struct Case {
    long n;
    int digits;
  };
  const Case cases[] = {{0, 1}, {1, 1}, {9, 1}, {10, 2}, {99, 2}, {100, 3}, {120, 3}, {99999, 5}, {100000, 6}};
  for (const Case& c : cases) EXPECT_EQ(editor::decimalDigits(c.n), c.digits) << c.n;
}

TEST(GutterLayout, LastFittingLine) {
  struct Case {
    int clientBottom, lineHeight;
    long firstVisible, expected;
  };
  const Case cases[] = {
      {0, 15, 0, -1},     // no room: nothing is numbered
      {14, 15, 0, -1},    // lower than one line
      {15, 15, 0, 0},     // exactly one line
      {44, 15, 0, 1},     // the partly visible third line gets no number
      {45, 15, 0, 2},
      {300, 15, 40, 59},  // scrolled down
  };
  for (const Case& c : cases)
    EXPECT_EQ(editor::lastFittingLine(c.clientBottom, c.lineHeight, c.firstVisible), c.expected)
        << c.clientBottom << "/" << c.lineHeight << "+" << c.firstVisible;
}

TEST(GutterLayout, NumberTextIsRightAligned) {
  struct Case {
    long lineIndex;
    int field;
    const char* expected;
  };
  const Case cases[] = {
      {0, 1, "1"}, {6, 3, "  7"}, {119, 3, "120"}, {8, 1, "9"}, {9, 2, "10"}, {9, 1, "10"}, {0, 5, "    1"},
  };
  for (const Case& c : cases) EXPECT_EQ(editor::gutterNumberText(c.lineIndex, c.field), c.expected);
}

}  // namespace
