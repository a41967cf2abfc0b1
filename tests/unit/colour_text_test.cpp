#include "settings/colour_text.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) { return red | green << 8 | blue << 16; }

TEST(ColourText, ReadsRedGreenBlue) {
  struct Case {
    const char* text;
    std::uint32_t colour;
  };
  const Case cases[] = {
      {"80,80,80", rgb(80, 80, 80)},
      {"234,234,234", rgb(234, 234, 234)},
      {"153,153,204", rgb(153, 153, 204)},
      {"255,0,0", rgb(255, 0, 0)},
      {"0,255,0", rgb(0, 255, 0)},
      {"0,0,255", rgb(0, 0, 255)},
      {"", 0},
      {"7", rgb(7, 0, 0)},
      {"1,2", rgb(1, 2, 0)},
      {",,9", rgb(0, 0, 9)},
      {",", 0},
      {"1,2,3,4,5", rgb(1, 2, 3)},
      {" \t1, \t2,\t 3", rgb(1, 2, 3)},
      {"1 ,2 ,3 ", rgb(1, 2, 3)},
      {"+1,+2,+3", rgb(1, 2, 3)},
      {"1x,2y,3z", rgb(1, 2, 3)},
      {"a,b,c", 0},
      {"\n1,2,3", rgb(0, 2, 3)},
      {"- 1,2,3", rgb(0, 2, 3)},
      {"001,002,003", rgb(1, 2, 3)},
      // No clamping: components spill into their neighbours.
      {"300,0,0", 300},
      {"0,256,0", 65536},
      {"-1,0,0", 0xFFFFFFFFu},
      {"0,0,-1", 0xFFFF0000u},
      {"256,255,0", 0x10000u},
      {"0,0,65536", 0},
      {"4294967297,0,0", 1},
      {"99999999999999999999,0,0", 1661992959u},
  };
  for (const Case& c : cases) EXPECT_EQ(settings::parseColour(c.text), c.colour) << '"' << c.text << '"';
}

}  // namespace
