#pragma once
// Where the main window goes at start-up, from the screen size and the saved inner size.
#include <cstdint>

namespace settings {

struct Placement {
  int x, y, width, height;  // outer top-left corner, inner size
};

// Without a preferences file: 740 x 600, centred as if the window were 626 high.
Placement placementWithoutFile(int screenWidth, int screenHeight);

// The saved size, centred. A dimension the user could not see or reach on this screen (below 100
// pixels or larger than the screen) falls back to its default.
Placement placementFromFile(std::int32_t width, std::int32_t height, int screenWidth, int screenHeight);

}  // namespace settings
