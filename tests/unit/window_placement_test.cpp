#include "settings/window_placement.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

auto asTuple(const settings::Placement& p) { return std::tuple(p.x, p.y, p.width, p.height); }

TEST(WindowPlacement, WithoutFileCentresAsIfSixHundredTwentySixHigh) {
  EXPECT_EQ(asTuple(settings::placementWithoutFile(1280, 1024)), std::tuple(270, 199, 740, 600));
}

TEST(WindowPlacement, SavedSizesAreCentredOrReplacedWhenUnusable) {
  const struct {
    std::int32_t width, height;
    int screenWidth, screenHeight;
    int x, y, w, h;
  } cases[] = {
      {740, 600, 1280, 1024, 270, 212, 740, 600},
      {800, 601, 1280, 1024, 240, 211, 800, 601},    // odd differences truncate
      {1280, 1024, 1280, 1024, 0, 0, 1280, 1024},    // the whole screen is still reachable
      {800, 600, 640, 480, -50, -60, 740, 600},      // larger than a small screen: defaults
      {-5000, 2000000000, 1280, 1024, 270, 212, 740, 600},
      {0, 0, 1280, 1024, 270, 212, 740, 600},        // an empty value reads 0
      {99, 100, 1280, 1024, 270, 462, 740, 100},     // each dimension on its own
  };
  for (const auto& c : cases)
    EXPECT_EQ(asTuple(settings::placementFromFile(c.width, c.height, c.screenWidth, c.screenHeight)),
              std::tuple(c.x, c.y, c.w, c.h))
        << c.width << "x" << c.height;
}

}  // namespace
