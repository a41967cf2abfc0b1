#include "editor/search_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(SearchRules, RangeStartsAtTheSelectionsFarEdge) {
  struct Case {
    long start, end;
    bool downward;
    long from, to;
  } cases[] = {
      {0, 0, true, 0, -1},    // caret at the start
      {5, 5, true, 5, -1},    // caret inside
      {4, 9, true, 9, -1},    // after a hit: behind it
      {4, 9, false, 4, 0},    // before a hit, back to the start
      {0, 0, false, 0, 0},    // at the start nothing is left above
      {12, 12, false, 12, 0},
  };
  for (const Case& c : cases) {
    editor::SearchRange range = editor::searchRange(c.start, c.end, c.downward);
    EXPECT_EQ(range.from, c.from) << c.start << "-" << c.end << (c.downward ? " down" : " up");
    EXPECT_EQ(range.to, c.to) << c.start << "-" << c.end << (c.downward ? " down" : " up");
  }
}

TEST(SearchRules, FindNextOpensTheWindowOnlyWithoutRememberedTextAndGoesUpOnlyForOne) {
  struct Case {
    const char* text;
    int upward;
    bool openFirst, downward;
  } cases[] = {
      {"", 0, true, true},
      {"", 1, true, false},
      {"eins", 0, false, true},
      {"eins", 1, false, false},
      {"eins", 2, false, true},
      {"eins", -1, false, true},
      {" ", 1, false, false},
  };
  for (const Case& c : cases) {
    editor::FindNextPlan plan = editor::planFindNext(c.text, c.upward);
    EXPECT_EQ(plan.openWindowFirst, c.openFirst) << '"' << c.text << "\" " << c.upward;
    EXPECT_EQ(plan.downward, c.downward) << '"' << c.text << "\" " << c.upward;
  }
}

}  // namespace
