#include "app/date_time_format.h"

#include <gtest/gtest.h>

namespace {

using app::DateTime;

struct Case {
  const char* format;
  DateTime when;
  const char* expected;
};

constexpr DateTime morning{2026, 12, 6, 9, 5, 7};
constexpr DateTime evening{2026, 12, 6, 21, 0, 0};

TEST(DateTimeFormat, InsertCommandFormats) {
  const Case cases[] = {
      {"%dd.%mm.%yyyy", morning, "06.12.2026"},
      {"%hh:%ii", morning, "09:05"},
      {"%hh:%ii:%ss", morning, "09:05:07"},
      {"%hh:%ii", evening, "21:00"},
      {"%hh:%ii:%ss", evening, "21:00:00"},
      {"%dd.%mm.%yyyy", DateTime{2027, 1, 31, 0, 0, 0}, "31.01.2027"},
  };
  for (const Case& c : cases) EXPECT_EQ(app::formatDateTime(c.format, c.when), c.expected) << c.format;
}

TEST(DateTimeFormat, TokensAndPercentSigns) {
  const Case cases[] = {
      {"%YYYY", morning, "2026"},
      {"%Yy-%mM-%Dd", morning, "26-12-06"},
      {"%yy", DateTime{2006, 1, 1, 0, 0, 0}, "06"},
      {"%yyy", morning, "26y"},
      {"%x", morning, "%x"},
      {"%%dd", morning, "%06"},
      {"100%", morning, "100%"},
      {"%", morning, "%"},
      {"%y", morning, "%y"},
      {"%i%s", morning, "%i%s"},
      {"", morning, ""},
      {"Heute", morning, "Heute"},
      {"%ss%ss%ss", DateTime{2026, 1, 1, 0, 0, 59}, "595959"},
  };
  for (const Case& c : cases) EXPECT_EQ(app::formatDateTime(c.format, c.when), c.expected) << c.format;
}

TEST(DateTimeFormat, OutputHasNoLengthLimit) {
  std::string format, expected;
  for (int i = 0; i < 500; ++i) {
    format += "%yyyy-";
    expected += "2026-";
  }
  EXPECT_EQ(app::formatDateTime(format, morning), expected);
}

}  // namespace
