#include "settings/colour_text.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) { return red | green << 8 | blue << 16; }

// Each component is read as the lenient number reader reads it; these cases are about the split.
TEST(ColourText, ReadsRedGreenBlue) {
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"153,153,204", rgb(153, 153, 204)}, {"", 0},         {"7", rgb(7, 0, 0)},
      {"1,2", rgb(1, 2, 0)},               {",,9", rgb(0, 0, 9)}, {"1,2,3,4,5", rgb(1, 2, 3)},
      {" \t1, \t2,\t 3", rgb(1, 2, 3)},    {"1 ,2 ,3 ", rgb(1, 2, 3)}, {"1x,a,\n3", rgb(1, 0, 0)},
      // No clamping: components spill into their neighbours.
      {"300,0,0", 300},         {"0,256,0", 65536},       {"-1,0,0", 0xFFFFFFFFu},
      {"0,0,-1", 0xFFFF0000u},  {"0,0,65536", 0},         {"4294967297,0,0", 1},
  };
  for (const auto& [text, colour] : cases) EXPECT_EQ(settings::parseColour(text), colour) << '"' << text << '"';
}

}  // namespace
