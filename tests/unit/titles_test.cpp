#include "document/titles.h"

#include <gtest/gtest.h>

namespace {

TEST(Titles, MainWindowTitle) {
  struct Case {
    const char* path;
    bool marked;
    const char* expected;
  };
  const Case cases[] = {
      {"", false, "Velloro v2.0 Beta 3  -  Unbenannt"},
      {"", true, "Velloro v2.0 Beta 3  -  Unbenannt"},
      {R"(D:\x\a.txt)", false, "Velloro v2.0 Beta 3  -  a.txt"},
      {R"(D:\x\a.txt)", true, "Velloro v2.0 Beta 3  -  a.txt*"},
      {"a.txt", true, "Velloro v2.0 Beta 3  -  a.txt*"},
      {R"("D:\x\my file.txt")", false, "Velloro v2.0 Beta 3  -  my file.txt"},
      {"a/b\\note.txt", false, "Velloro v2.0 Beta 3  -  note.txt"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(document::mainTitle(c.path, c.marked), c.expected) << c.path << " marked " << c.marked;
}

TEST(Titles, DialogTitle) {
  EXPECT_EQ(document::dialogTitle("Gehe zu Zeile"), "Velloro v2.0 Beta 3  |  Gehe zu Zeile");
  EXPECT_EQ(document::dialogTitle("Umbenennen / Verschieben"), "Velloro v2.0 Beta 3  |  Umbenennen / Verschieben");
  EXPECT_EQ(document::dialogTitle(""), "Velloro v2.0 Beta 3  |  ");
}

}  // namespace
