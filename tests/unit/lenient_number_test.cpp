#include "app/lenient_number.h"

#include <gtest/gtest.h>

namespace {

TEST(LenientNumber, ReadsLeadingNumber) {
  struct Case {
    const char* text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"0", 0},
      {"85", 85},
      {"  \t 640", 640},
      {"+12", 12},
      {"-7", -7},
      {"12abc", 12},
      {"1 2", 1},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"+-5", 0},
      {"- 5", 0},
      {"\n5", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", INT32_MIN},
      {"4294967295", -1},
      {"4294967296", 0},
      {"4294967297", 1},
      {"99999999999999999999", 1661992959},
  };
  for (const Case& c : cases) EXPECT_EQ(app::parseLenientInt(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
