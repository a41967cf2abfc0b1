// Checked in the Windows build, the one that ships: the German texts must reach the platform's
// ANSI functions as code page 1252, not as the UTF-8 of the source files.
#include <gtest/gtest.h>

#include <string_view>

TEST(Encoding, LiteralsAreCodePage1252) {
  EXPECT_EQ(std::string_view("Öffnen äöüß"), std::string_view("\xD6" "ffnen \xE4\xF6\xFC\xDF"));
}
