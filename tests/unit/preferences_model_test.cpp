#include "settings/preferences_model.h"
#include "settings/colour_text.h"
#include "settings/window_placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>

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
  // Name, file, group selected (nullptr: none), number and text read for "k"; -99 and "fallback": not found.
  const std::tuple<const char*, std::string, const char*, std::int32_t, std::string> cases[] = {
      {"group letter case", "[pROGRAM]\r\nK = 800\r\n", "Program", 800, "800"},
      {"key above groups, no group", "k = 5\r\n[Program]\r\n", nullptr, 5, "5"},
      {"key above groups, group selected", "k = 5\r\n[Program]\r\nj = 1", "Program", -99, "fallback"},
      {"missing group selected", "k = 5\r\n[Style]\r\nk = 2", "Extras", -99, "fallback"},
      {"trailing blanks dropped, equals kept", "[G]\r\nk \t=\t a=b \t \r\n", "G", 0, "a=b"},
      {"CR and mixed line ends, no final one", "\r\n\n[G]\rj = 1\n\r\r\nk = 3", "G", 3, "3"},
      {"first of two equal keys and groups", "[G]\r\nk = 1\r\nK = 2\r\n[g]\r\nk = 3\r\n", "G", 1, "1"},
      {"commented-out key", "[G]\r\n;k = 1\r\n", "G", -99, "fallback"},
      {"NUL ends a value, not the file", "[G]\r\n\0\r\nk = 5\0x9\r\n"s, "G", 5, "5"},
  };
  for (const auto& [name, file, group, number, text] : cases) {
    PreferencesModel model = PreferencesModel::parse(file);
    if (group) model.selectGroup(group);
    EXPECT_EQ(model.readNumber("k", -99), number) << name;
    EXPECT_EQ(model.readText("k", "fallback"), text) << name;
    EXPECT_FALSE(model.changed()) << name;
  }
}

TEST(PreferencesModel, RewriteNormalisesEveryLine) {
  const std::string file = "\r\n  ;  two blanks stay\n;x\r\t[Program]  junk ] more\r\n   Win_Width=800   \r\n"
                           "Win_Height\t=\t600\r\nLonely\r\n  \t  \r\n[Style] \r\nEditor_Back = 1\r\n;c\0d\r\n"s;
  PreferencesModel model = PreferencesModel::parse(file);
  model.selectGroup("Extras");
  model.selectGroup("Style");  // leaves no trace: nothing is written into Extras
  model.writeText("editor_back", "1,2,3\t");
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
  model.writeText("Ma\xDFstab", "\xE4 \xFF");
  EXPECT_EQ(model.readText("MA\xDFSTAB"), "\xE4 \xFF");
  const std::string written = model.serialize();
  EXPECT_EQ(written, bom + "\r\n" + crlf({"[Gr\xC3\xBCn]", "\xC3\xA4rger = 1", "Ma\xC3\x9Fstab = \xC3\xA4 \xC3\xBF"}));
  EXPECT_EQ(PreferencesModel::parse(written).serialize(), written);
  // Only Latin-1 text decodes, anything else reads as empty; without the mark the bytes read as they are.
  for (std::string stored : {"a\xE2\x82\xAC", "Gr\xFCn", "\xC1\xBF", "ab\xC3"}) {
    EXPECT_EQ(PreferencesModel::parse(bom + "k = " + stored).readText("k", "fallback"), "") << stored;
    EXPECT_EQ(PreferencesModel::parse("k = " + stored).readText("k"), stored) << stored;
  }
}

// Values the program reads from the file: colours split at commas without clamping, window sizes
// replaced when they do not fit the screen.
TEST(PreferencesValues, ColoursAndWindowSizes) {
  EXPECT_EQ(settings::parseColour(" 153,\t153,256"), 153u | 153u << 8 | 256u << 16);
  auto placed = [](settings::Placement p) { return std::tuple(p.x, p.y, p.width, p.height); };
  EXPECT_EQ(placed(settings::placementFromFile(800, 601, 1280, 1024)), std::tuple(240, 211, 800, 601));  // centred
  EXPECT_EQ(placed(settings::placementFromFile(800, 600, 640, 480)), std::tuple(-50, -60, 740, 600));
}

}  // namespace
