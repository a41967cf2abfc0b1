#include "editor/gutter_layout.h"
#include "editor/search_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(GutterLayout, DigitsAndNumbers) {
  // The margin set at creation matches no digit count, so the first change of digits is always seen.
  for (int digits = 1; digits <= 10; ++digits) EXPECT_NE(editor::initialLeftMargin, editor::gutterLeftMargin(digits));
  const std::pair<long, int> digits[] = {{0, 1}, {9, 1}, {10, 2}, {99999, 5}, {100000, 6}};
  for (const auto& [n, count] : digits) EXPECT_EQ(editor::decimalDigits(n), count) << n;
  EXPECT_EQ(editor::gutterNumberText(6, 3) + editor::gutterNumberText(9, 1), "  710");
}

TEST(SearchRules, DirectionSetsTheRangeAndFindNextAsksOnlyWithoutRememberedText) {
  const editor::SearchRange down = editor::searchRange(4, 9, true), up = editor::searchRange(4, 9, false);
  EXPECT_EQ(std::pair(down.from, down.to), std::pair(9L, -1L));  // behind the selection to the end
  EXPECT_EQ(std::pair(up.from, up.to), std::pair(4L, 0L));       // from its start back to the top
  // Remembered text and upward flag, then: opens the window first, searches downward.
  const std::tuple<const char*, int, bool, bool> cases[] = {
      {"", 1, true, false}, {"eins", 0, false, true}, {"eins", 1, false, false}, {"eins", 2, false, true}};
  for (const auto& [text, upward, openFirst, downward] : cases) {
    const editor::FindNextPlan plan = editor::planFindNext(text, upward);
    EXPECT_EQ(std::pair(plan.openWindowFirst, plan.downward), std::pair(openFirst, downward)) << text << upward;
  }
}

}  // namespace
