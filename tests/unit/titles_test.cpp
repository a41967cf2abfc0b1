#include "document/titles.h"

#include <gtest/gtest.h>

namespace {

TEST(Titles, MainAndDialogTitles) {
  const struct {
    const char* path;
    bool marked;
    const char* expected;
  } cases[] = {
      {"", false, "Velloro v2.0 Beta 3  -  Unbenannt"},
      {"", true, "Velloro v2.0 Beta 3  -  Unbenannt"},
      {R"(D:\x\a.txt)", false, "Velloro v2.0 Beta 3  -  a.txt"},
      {R"("D:\x\my file.txt")", true, "Velloro v2.0 Beta 3  -  my file.txt*"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(document::mainTitle(c.path, c.marked), c.expected) << c.path << " marked " << c.marked;
  EXPECT_EQ(document::dialogTitle("Gehe zu Zeile"), "Velloro v2.0 Beta 3  |  Gehe zu Zeile");
}

}  // namespace
