#include "app/date_time_format.h"

#include <gtest/gtest.h>

namespace {

using app::DateTime;

constexpr DateTime morning{2026, 12, 6, 9, 5, 7};

TEST(DateTimeFormat, TokensAndPercentSigns) {
  const struct {
    const char* format;
    DateTime when;
    const char* expected;
  } cases[] = {
      // The formats the insert commands use.
      {"%dd.%mm.%yyyy", morning, "06.12.2026"},
      {"%hh:%ii", morning, "09:05"},
      {"%hh:%ii:%ss", morning, "09:05:07"},
      {"%hh:%ii:%ss", DateTime{2026, 12, 6, 21, 0, 0}, "21:00:00"},
      {"%dd.%mm.%yyyy", DateTime{2027, 1, 31, 0, 0, 0}, "31.01.2027"},
      // Tokens in any letter case, unknown ones kept as they are.
      {"%YYYY", morning, "2026"}, {"%Yy-%mM-%Dd", morning, "26-12-06"}, {"%yy", DateTime{2006, 1, 1, 0, 0, 0}, "06"},
      {"%yyy", morning, "26y"},   {"%x", morning, "%x"},                 {"%%dd", morning, "%06"},
      {"100%", morning, "100%"},  {"%y", morning, "%y"},                 {"%i%s", morning, "%i%s"},
  };
  for (const auto& c : cases) EXPECT_EQ(app::formatDateTime(c.format, c.when), c.expected) << c.format;
}

TEST(DateTimeFormat, OutputHasNoLengthLimit) {
  std::string format, expected;
  for (int i = 0; i < 500; ++i) format += "%yyyy-", expected += "2026-";
  EXPECT_EQ(app::formatDateTime(format, morning), expected);
}

}  // namespace
