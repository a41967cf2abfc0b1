#include "document/work_progress.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using document::WorkProgress;

// Steps of one piece of work of 1000 bytes: milliseconds, bytes done, percentage shown or -1.
TEST(WorkProgress, QuietForHalfASecondThenAtMostFourTimesASecondAndOnlyNewFigures) {
  WorkProgress progress(1000);
  const std::tuple<unsigned long, unsigned long long, int> steps[] = {
      {0, 0, -1},      {499, 400, -1},   // short work shows nothing
      {500, 420, 42},                    // then the figure at once
      {600, 700, -1},  {749, 800, -1},   // not again within a quarter of a second
      {750, 800, 80},  {1100, 805, -1},  // the same figure is not shown twice
      {1101, 999, 99}, {1400, 1000, 100},
      {1700, 1200, -1},                  // more than announced stays at 100
  };
  for (const auto& [ms, done, shown] : steps) EXPECT_EQ(progress.step(ms, done), shown) << ms;
}

TEST(WorkProgress, NothingToMeasureShowsNothing) {
  WorkProgress empty(0);
  EXPECT_EQ(empty.step(5000, 10), -1);
}

TEST(WorkProgress, TextsNameTheWorkAndThePercentage) {
  EXPECT_EQ(document::progressText("Lädt", 42), " Lädt... 42 %");
  EXPECT_EQ(document::progressText("Speichert", 100), " Speichert... 100 %");
}

}  // namespace
