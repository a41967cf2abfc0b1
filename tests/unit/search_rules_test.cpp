#include "editor/search_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(SearchRules, RangeStartsAtTheSelectionsFarEdge) {
  // Downward from behind the selection to the end; upward from its start back to the top.
  const editor::SearchRange down = editor::searchRange(4, 9, true);
  const editor::SearchRange up = editor::searchRange(4, 9, false);
  EXPECT_EQ(std::pair(down.from, down.to), std::pair(9L, -1L));
  EXPECT_EQ(std::pair(up.from, up.to), std::pair(4L, 0L));
}

TEST(SearchRules, FindNextOpensTheWindowOnlyWithoutRememberedTextAndGoesUpOnlyForOne) {
  const struct {
    const char* text;
    int upward;
    bool openFirst, downward;
  } cases[] = {
      {"", 1, true, false}, {"eins", 0, false, true}, {"eins", 1, false, false},
      {"eins", 2, false, true}, {" ", 1, false, false},
  };
  for (const auto& c : cases) {
    const editor::FindNextPlan plan = editor::planFindNext(c.text, c.upward);
    EXPECT_EQ(std::pair(plan.openWindowFirst, plan.downward), std::pair(c.openFirst, c.downward))
        << '"' << c.text << "\" " << c.upward;
  }
}

}  // namespace
