#include "settings/window_placement.h"

namespace settings {

namespace {

constexpr int defaultWidth = 740;
constexpr int defaultHeight = 600;
constexpr int smallestUsableSize = 100;

int usableSize(std::int32_t saved, int screen, int fallback) {
  return saved >= smallestUsableSize && saved <= screen ? static_cast<int>(saved) : fallback;
}

}  // namespace

Placement placementWithoutFile(int screenWidth, int screenHeight) {
  return {(screenWidth - defaultWidth) / 2, (screenHeight - 626) / 2, defaultWidth, defaultHeight};
}

Placement placementFromFile(std::int32_t width, std::int32_t height, int screenWidth, int screenHeight) {
  int w = usableSize(width, screenWidth, defaultWidth);
  int h = usableSize(height, screenHeight, defaultHeight);
  return {(screenWidth - w) / 2, (screenHeight - h) / 2, w, h};
}

}  // namespace settings
