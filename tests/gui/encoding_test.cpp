// Checked in the Windows build, the one that ships: the German texts must reach the platform's
// ANSI functions as code page 1252, not as the UTF-8 of the source files.
#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(Encoding, LiteralsAreCodePage1252) {
  constexpr std::string_view label = "Öffnen...\tStrg+O";
  ASSERT_EQ(label.size(), 16u);
  EXPECT_EQ(static_cast<unsigned char>(label[0]), 0xD6);
  EXPECT_EQ(label.substr(1, 5), "ffnen");

  constexpr std::string_view umlauts = "äöüß";
  ASSERT_EQ(umlauts.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(umlauts[0]), 0xE4);
  EXPECT_EQ(static_cast<unsigned char>(umlauts[1]), 0xF6);
  EXPECT_EQ(static_cast<unsigned char>(umlauts[2]), 0xFC);
  EXPECT_EQ(static_cast<unsigned char>(umlauts[3]), 0xDF);
}

}  // namespace
