#include "settings/window_placement.h"

#include <gtest/gtest.h>

namespace {

using settings::placementFromFile;
using settings::placementWithoutFile;

TEST(WindowPlacement, WithoutFileCentresAsIfSixHundredTwentySixHigh) {
  settings::Placement p = placementWithoutFile(1280, 1024);
  EXPECT_EQ(p.x, 270);
  EXPECT_EQ(p.y, 199);
  EXPECT_EQ(p.width, 740);
  EXPECT_EQ(p.height, 600);
}

TEST(WindowPlacement, SavedSizesAreCentredOrReplacedWhenUnusable) {
  struct Case {
    std::int32_t width, height;
    int screenWidth, screenHeight;
    int x, y, w, h;
  } cases[] = {
      {740, 600, 1280, 1024, 270, 212, 740, 600},
      {800, 601, 1280, 1024, 240, 211, 800, 601},       // odd differences truncate
      {1280, 1024, 1280, 1024, 0, 0, 1280, 1024},       // the whole screen is still reachable
      {800, 600, 640, 480, -50, -60, 740, 600},         // larger than a small screen: defaults
      {-5000, 600, 1280, 1024, 270, 212, 740, 600},     // negative width
      {740, 2000000000, 1280, 1024, 270, 212, 740, 600},
      {0, 0, 1280, 1024, 270, 212, 740, 600},           // an empty value reads 0
      {99, 100, 1280, 1024, 270, 462, 740, 100},        // each dimension on its own
  };
  for (const Case& c : cases) {
    settings::Placement p = placementFromFile(c.width, c.height, c.screenWidth, c.screenHeight);
    EXPECT_EQ(p.width, c.w) << c.width << "x" << c.height;
    EXPECT_EQ(p.height, c.h) << c.width << "x" << c.height;
    EXPECT_EQ(p.x, c.x) << c.width << "x" << c.height;
    EXPECT_EQ(p.y, c.y) << c.width << "x" << c.height;
  }
}

}  // namespace
