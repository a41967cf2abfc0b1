#include "editor/gutter_layout.h"

#include <gtest/gtest.h>

namespace {

// The margin set at creation matches no digit count, so the first change of digits is always seen.
TEST(GutterLayout, InitialMarginIsNoDigitCountsMargin) {
  for (int digits = 1; digits <= 10; ++digits) EXPECT_NE(editor::initialLeftMargin, editor::gutterLeftMargin(digits));
}

TEST(GutterLayout, DecimalDigits) {
  const std::pair<long, int> cases[] = {{0, 1}, {9, 1}, {10, 2}, {99, 2}, {100, 3}, {99999, 5}, {100000, 6}};
  for (const auto& [n, digits] : cases) EXPECT_EQ(editor::decimalDigits(n), digits) << n;
}

TEST(GutterLayout, LastFittingLine) {
  const struct {
    int clientBottom, lineHeight;
    long firstVisible, expected;
  } cases[] = {
      {0, 15, 0, -1},     // no room: nothing is numbered
      {14, 15, 0, -1},    // lower than one line
      {15, 15, 0, 0},     // exactly one line
      {44, 15, 0, 1},     // the partly visible third line gets no number
      {300, 15, 40, 59},  // scrolled down
  };
  for (const auto& c : cases)
    EXPECT_EQ(editor::lastFittingLine(c.clientBottom, c.lineHeight, c.firstVisible), c.expected)
        << c.clientBottom << "/" << c.lineHeight << "+" << c.firstVisible;
}

TEST(GutterLayout, NumberTextIsRightAligned) {
  const struct {
    long lineIndex;
    int field;
    const char* expected;
  } cases[] = {{6, 3, "  7"}, {119, 3, "120"}, {9, 2, "10"}, {9, 1, "10"}, {0, 5, "    1"}};
  for (const auto& c : cases) EXPECT_EQ(editor::gutterNumberText(c.lineIndex, c.field), c.expected) << c.lineIndex;
}

}  // namespace
