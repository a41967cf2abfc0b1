#include "app/lenient_number.h"

#include <gtest/gtest.h>

namespace {

TEST(LenientNumber, ReadsLeadingNumber) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"85", 85},   {"  \t 640", 640}, {"+12", 12},  {"-7", -7},   {"12abc", 12},
      {"", 0},      {"abc", 0},        {"+-5", 0},   {"- 5", 0},   {"\n5", 0},
      {"007", 7},   {"2147483647", 2147483647},      {"-2147483648", INT32_MIN},
      {"2147483648", INT32_MIN},  // numbers wrap at 32 bits
      {"4294967297", 1},          {"99999999999999999999", 1661992959},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(app::parseLenientInt(text), expected) << '"' << text << '"';
}

}  // namespace
