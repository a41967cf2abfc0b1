#include "settings/preferences_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

using settings::PreferencesModel;
using namespace std::literals;

// The lines as the program writes them, each ended by CR LF.
std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text += std::string(line) + "\r\n";
  return text;
}

TEST(PreferencesModel, ReadsValuesAsWrittenInTheFile) {
  // -99 and "fallback" prove the key was not found.
  const struct {
    const char* name;
    std::string file;
    const char* group;  // nullptr: nothing selected
    std::int32_t number;
    std::string text;
  } cases[] = {
      {"group letter case", "[pROGRAM]\r\nK = 800\r\n", "Program", 800, "800"},
      {"blank inside brackets", "[ Program]\r\nk = 800\r\n", "Program", -99, "fallback"},
      {"key above groups, no group", "k = 5\r\n[Program]\r\n", nullptr, 5, "5"},
      {"key above groups, group selected", "k = 5\r\n[Program]\r\nj = 1", "Program", -99, "fallback"},
      {"trailing blanks dropped, equals kept", "[G]\r\nk \t=\t a=b \t \r\n", "G", 0, "a=b"},
      {"CR and mixed line ends, no final one", "\r\n\n[G]\rj = 1\n\r\r\nk = 3", "G", 3, "3"},
      {"first of two equal keys and groups", "[G]\r\nk = 1\r\nK = 2\r\n[g]\r\nk = 3\r\n", "G", 1, "1"},
      {"commented-out key", "[G]\r\n;k = 1\r\n", "G", -99, "fallback"},
      {"wraps to the lowest value", "[G]\r\nk = 2147483648\r\n", "G", INT_MIN, "2147483648"},
      {"NUL ends a value, not the file", "[G]\r\n\0\r\nk = 5\0x9\r\n"s, "G", 5, "5"},
  };
  for (const auto& c : cases) {
    PreferencesModel model = PreferencesModel::parse(c.file);
    if (c.group) model.selectGroup(c.group);
    EXPECT_EQ(model.readNumber("k", -99), c.number) << c.name;
    EXPECT_EQ(model.readText("k", "fallback"), c.text) << c.name;
    EXPECT_FALSE(model.changed()) << c.name;
  }
  // A missing group hides the keys of the group selected before it.
  PreferencesModel model = PreferencesModel::parse("[Style]\r\nk = 2\r\n");
  EXPECT_TRUE(model.selectGroup("style"));
  EXPECT_FALSE(model.selectGroup("Extras"));
  EXPECT_EQ(model.readNumber("k", -1), -1);
}

TEST(PreferencesModel, RewriteNormalisesEveryLine) {
  const std::string file = "\r\n  ;  two blanks stay\n;x\r\t[Program]  junk ] more\r\n   Win_Width=800   \r\n"
                           "Win_Height\t=\t600\r\nLonely\r\n  \t  \r\n[Style] \r\nEditor_Back = 1\r\n;c\0d\r\n"s;
  PreferencesModel model = PreferencesModel::parse(file);
  model.selectGroup("Extras");
  model.selectGroup("Style");  // leaves no trace: nothing is written into Extras
  model.writeText("editor_back", "1,2,3\t");
  EXPECT_TRUE(model.changed());
  EXPECT_EQ(model.serialize(), crlf({";  two blanks stay", "; x", "[Program]", "Win_Width = 800   ", "Win_Height = 600",
                                     "Lonely = ", "[Style]", "editor_back = 1,2,3\t", "; c"}));
}

TEST(PreferencesModel, WritesGoWhereTheRulesPutThem) {
  PreferencesModel m = PreferencesModel::parse(crlf({"[A]", "win_width = 800", "Win_Width = 2", "; closing", "[B]"}));
  m.selectGroup("a");
  m.writeNumber("Win_Width", 1024);  // the first found keeps its place and takes the caller's letter case
  m.writeNumber("new", 5);           // behind the comment that closes the group
  m.writeText("t", "12345");         // values shrink and grow without spilling into the next
  m.writeText("u", "2");
  m.writeText("t", "1");
  m.writeText("t", "123456");
  m.selectGroup("Extras");  // a missing group is appended with its keys
  m.writeNumber("WordWrap", INT_MIN);
  m.selectGroup("G\r\n[H]");  // written texts end at a line break or NUL
  m.writeText("k\nx", "1\r\nj = 2");
  m.writeComment("c\0d"s);
  EXPECT_EQ(m.serialize(), crlf({"[A]", "Win_Width = 1024", "Win_Width = 2", "; closing", "new = 5", "t = 123456",
                                 "u = 2", "[B]", "[Extras]", "WordWrap = -2147483648", "[G]", "k = 1", "; c"}));
}

TEST(PreferencesModel, ByteOrderMarkSelectsUtf8ModeThatConvertsAndSurvivesRewrite) {
  const std::string bom = "\xEF\xBB\xBF";
  PreferencesModel model = PreferencesModel::parse(bom + "[Gr\xC3\xBCn]\r\n\xC3\xA4rger = 1");
  EXPECT_TRUE(model.selectGroup("GR\xFCN"));  // ASCII letters fold, the umlaut matches by its UTF-8 form
  EXPECT_EQ(model.readNumber("\xC4rger", -1), -1);
  model.writeText("Ma\xDFstab", "\xE4 \xFF");
  EXPECT_EQ(model.readText("MA\xDFSTAB"), "\xE4 \xFF");
  const std::string written = model.serialize();
  EXPECT_EQ(written, bom + "\r\n" + crlf({"[Gr\xC3\xBCn]", "\xC3\xA4rger = 1", "Ma\xC3\x9Fstab = \xC3\xA4 \xC3\xBF"}));
  EXPECT_EQ(PreferencesModel::parse(written).serialize(), written);
  EXPECT_FALSE(PreferencesModel::parse(" " + bom + "k = 1").utf8Mode());
  // Only Latin-1 text decodes, anything else reads as empty; without the mark the bytes read as they are.
  for (std::string stored : {"a\xE2\x82\xAC", "Gr\xFCn", "\xC1\xBF", "ab\xC3"}) {
    EXPECT_EQ(PreferencesModel::parse(bom + "k = " + stored).readText("k", "fallback"), "") << stored;
    EXPECT_EQ(PreferencesModel::parse("k = " + stored).readText("k"), stored) << stored;
  }
}

TEST(PreferencesModel, LargeInputsParseCompletely) {
  // About 50 MB in ten thousand groups: reading and writing must stay linear in the size of the file.
  std::string lines, big;
  for (int i = 0; i < 90; ++i) lines += "Key_With_A_Name = a value of some thirty characters   \r\n";
  int groups = 0;
  while (big.size() < (50u << 20)) big += "[Group" + std::to_string(groups++) + "]\r\n" + lines;
  PreferencesModel model = PreferencesModel::parse(big + "Last = 42");
  EXPECT_TRUE(model.selectGroup("Group" + std::to_string(groups - 1)));
  EXPECT_EQ(model.readNumber("last", 0), 42);
  model.writeNumber("last", 7);
  EXPECT_TRUE(model.serialize() == big + "last = 7\r\n");  // no diff of 50 MB on failure
}

}  // namespace
